#pragma once

// What both screenshot programs share: where the pictures go and how one is
// written.
#include "platform/qt/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QUrl>

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

// The help window of a program opened at a topic, as F1 shows it.
inline bool SaveHelpPicture(const QUrl& page, HelpTopic topic, const QString& folder, const char* name,
                            const char* program)
{
    HelpViewer viewer(page);
    viewer.showTopic(topic);
    QApplication::processEvents();
    return SavePicture(viewer.grab().toImage(), folder, name, program);
}

} // namespace qv::screenshots
