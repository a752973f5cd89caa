// freedesktop-files: the menu entries, MIME packages and icons the installed
// programs carry, written under SHARE (applications/, mime/packages/,
// icons/hicolor/). The MIME packages and icons come from the code that
// registers the file types for one user, so the two cannot differ.
#include "matrix/ui/file_types.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

constexpr char kCategories[] = "AudioVideo;Audio";

qv::DesktopEntry MatrixEntry()
{
    qv::DesktopEntry entry;
    entry.name = "QV-Matrix";
    entry.genericName = "Level Meter Preset Editor";
    entry.comment = "Edit the presets of the level meter and control it remotely";
    entry.exec = "qv-matrix %f";
    entry.icon = "qv-matrix";
    entry.mimeTypes = qv::FileTypeRegistry::mimeTypes();
    entry.categories = QString(kCategories).split(';');
    entry.keywords = {"level meter", "preset", "routing", "macro", "scale", "serial"};
    return entry;
}

qv::DesktopEntry UpdateEntry()
{
    qv::DesktopEntry entry;
    entry.name = "QV-Update";
    entry.genericName = "Level Meter Software Update";
    entry.comment = "Identify the level meter and install its software, firmware and configuration";
    entry.exec = "qv-update";
    entry.icon = "qv-update";
    entry.categories = QString(kCategories).split(';');
    entry.keywords = {"level meter", "software", "firmware", "update", "serial"};
    return entry;
}

bool WriteEntry(const QString& share, const QString& name, const qv::DesktopEntry& entry)
{
    QDir().mkpath(share + "/applications");
    QSaveFile file(share + "/applications/" + name);
    return file.open(QIODevice::WriteOnly) && file.write(qv::DesktopEntryText(entry).toUtf8()) >= 0 &&
           file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: freedesktop-files SHARE\n");
        return 2;
    }
    // The icons draw text, which takes a GUI application but no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString share = QString::fromLocal8Bit(argv[1]);

    qv::FileTypeRegistry types("qv-matrix", share, {});
    for (const QString& ext : qv::FileTypeRegistry::extensions()) {
        if (!types.writeTypeFiles(ext)) {
            std::fprintf(stderr, "freedesktop-files: %s\n", qPrintable(types.errorText()));
            return 1;
        }
    }
    QString error;
    if (!qv::WriteThemeIcon(share, "apps", "qv-update", qv::QvIcon::Update, error)) {
        std::fprintf(stderr, "freedesktop-files: %s\n", qPrintable(error));
        return 1;
    }
    if (!WriteEntry(share, qv::FileTypeRegistry::kInstalledEntry, MatrixEntry()) ||
        !WriteEntry(share, "qv-update.desktop", UpdateEntry())) {
        std::fprintf(stderr, "freedesktop-files: cannot write the desktop entries under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
