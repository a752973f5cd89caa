#pragma once

// What both screenshot programs share: where the pictures go and how one is
// written.
#include <QApplication>
#include <QDir>
#include <QImage>

#include <cstdio>

namespace qv::screenshots {

// Before the QApplication exists: pictures are drawn offscreen unless the
// environment asks otherwise.
inline void UseOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The folder named on the command line, docs/screenshots by default; made
// when missing.
inline QString PictureFolder(int argc, char** argv)
{
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(folder);
    return folder;
}

// Writes the picture and prints its path; says so on stderr when it cannot.
inline bool SavePicture(const QImage& picture, const QString& folder, const char* name, const char* program)
{
    const QString path = QDir(folder).filePath(name);
    if (!picture.save(path)) {
        std::fprintf(stderr, "%s: cannot write %s\n", program, qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace qv::screenshots
