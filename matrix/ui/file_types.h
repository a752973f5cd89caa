#pragma once

#include "file_type_icons.h"

#include <QString>
#include <QStringList>

namespace qv {

// The file types QV-Matrix opens, registered on a freedesktop system: per
// extension a MIME package under <data>/mime/packages and a hidden desktop
// entry under <data>/applications that opens the type with this program,
// plus the icons drawn by DrawQvIcon in the hicolor theme. The installed
// package carries the same MIME packages and icons (writeTypeFiles) and one
// menu entry, kInstalledEntry, for all three types.
class FileTypeRegistry {
public:
    struct FileType {
        const char* ext;      // "PRE"
        const char* mimeType; // "application/x-qv-matrix-preset"
        const char* comment;  // "QV-Matrix Preset"
    };
    static const FileType* find(const QString& ext);
    // PRE, MCR, CDP in that order.
    static QStringList extensions();
    static QStringList mimeTypes();

    static constexpr char kInstalledEntry[] = "qv-matrix.desktop";

    // dataHome empty: the user's data folder (XDG_DATA_HOME or
    // ~/.local/share) and the system's (XDG_DATA_DIRS), where an installed
    // package puts its files. dataHome given: that folder and systemDirs.
    explicit FileTypeRegistry(QString programPath, QString dataHome = {}, QStringList systemDirs = {});

    // The user's registration decides where it exists: false when its
    // desktop entry opens another program. Otherwise an installed package
    // counts when its menu entry starts this program. A MIME package without
    // a desktop entry counts as ours.
    bool isAssociated(const QString& ext) const;
    // Writes or deletes the type's package, desktop entry and icons, then
    // refreshes the desktop's caches where their tools exist. False with
    // errorText() when a file could not be written, or when the installed
    // package still associates the type after the user's files are gone.
    bool setAssociation(const QString& ext, bool on);
    QString errorText() const { return error_; }

    // The type's MIME package and icons, without a desktop entry.
    bool writeTypeFiles(const QString& ext);

    // The caches are refreshed by update-mime-database and
    // update-desktop-database when present; tests may switch that off.
    void setRefreshCaches(bool refresh) { refreshCaches_ = refresh; }

    QString mimePackagePath(const QString& ext) const;
    QString desktopEntryPath(const QString& ext) const;
    // The Exec line this program's entries carry.
    QString execLine() const;

private:
    bool writeIcons(const FileType& type);
    void removeIcons(const FileType& type);
    bool installedAssociation(const FileType& type) const;
    void refresh() const;

    QString programPath_;
    QString dataHome_;
    QStringList systemDirs_;
    QString error_;
    bool refreshCaches_ = true;
};

// A desktop entry of an application.
struct DesktopEntry {
    QString name;
    QString genericName; // left out when empty
    QString comment;
    QString exec;
    QString icon;
    QStringList mimeTypes;
    QStringList categories; // a menu entry has them; a hidden one none
    QStringList keywords;   // words a menu search finds the entry by
    bool hidden = false;
};
QString DesktopEntryText(const DesktopEntry& entry);

// The icon in every hicolor size under dataDir/icons/hicolor, in context
// ("apps", "mimetypes"). False with error when a file could not be written.
bool WriteThemeIcon(const QString& dataDir, const QString& context, const QString& name, QvIcon icon,
                    QString& error);
inline constexpr int kThemeIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// One argument of a desktop entry's Exec key, quoted where the rules of
// desktop entries need it.
QString DesktopExecArgument(const QString& argument);

} // namespace qv
