#pragma once

#include <QString>
#include <QStringList>

namespace qv {

// The file types QV-Matrix opens, registered on a freedesktop system: per
// extension a MIME package under <data>/mime/packages and a hidden desktop
// entry under <data>/applications that opens the type with this program,
// plus the icons drawn by DrawQvIcon in the hicolor theme.
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

    // dataHome: empty for the user's (XDG_DATA_HOME or ~/.local/share).
    explicit FileTypeRegistry(QString programPath, QString dataHome = {});

    // False when the type's MIME package is missing, or when its desktop
    // entry opens another program; true otherwise.
    bool isAssociated(const QString& ext) const;
    // Writes or deletes the type's package, desktop entry and icons, then
    // refreshes the desktop's caches where their tools exist. False with
    // errorText() when a file could not be written.
    bool setAssociation(const QString& ext, bool on);
    QString errorText() const { return error_; }

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
    void refresh() const;

    QString programPath_;
    QString dataHome_;
    QString error_;
    bool refreshCaches_ = true;
};

// One argument of a desktop entry's Exec key, quoted where the rules of
// desktop entries need it.
QString DesktopExecArgument(const QString& argument);

} // namespace qv
