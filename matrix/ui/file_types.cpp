#include "file_types.h"

#include "file_type_icons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace qv {

namespace {

constexpr FileTypeRegistry::FileType kTypes[] = {
    {"PRE", "application/x-qv-matrix-preset", "QV-Matrix Preset"},
    {"MCR", "application/x-qv-matrix-macro", "QV-Matrix Macro"},
    {"CDP", "application/x-qv-matrix-package", "QV-Matrix Compiled Distribution Package"},
};

constexpr int kToolTimeoutMs = 10000;

QvIcon iconOf(const FileTypeRegistry::FileType& type)
{
    const QString ext = type.ext;
    if (ext == "MCR")
        return QvIcon::Macro;
    if (ext == "CDP")
        return QvIcon::Package;
    return QvIcon::Preset;
}

QString iconName(const FileTypeRegistry::FileType& type)
{
    return QString(type.mimeType).replace('/', '-');
}

bool writeText(const QString& path, const QString& text, QString& error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.toUtf8());
        if (file.commit())
            return true;
    }
    error = path + ": " + file.errorString();
    return false;
}

QString mimePackage(const FileTypeRegistry::FileType& type)
{
    const QString ext = type.ext;
    QString xml;
    QTextStream s(&xml);
    s << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
      << "  <mime-type type=\"" << type.mimeType << "\">\n"
      << "    <comment>" << type.comment << "</comment>\n"
      << "    <icon name=\"" << iconName(type) << "\"/>\n";
    // Macros are plain text: text editors offer to edit and print them.
    if (ext == "MCR")
        s << "    <sub-class-of type=\"text/plain\"/>\n";
    s << "    <glob pattern=\"*." << ext << "\"/>\n"
      << "    <glob pattern=\"*." << ext.toLower() << "\"/>\n"
      << "  </mime-type>\n"
      << "</mime-info>\n";
    return xml;
}

// The value of key in a desktop entry's [Desktop Entry] group.
QString desktopValue(const QString& path, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    bool inGroup = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith('[')) {
            inGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (inGroup && eq > 0 && line.left(eq).trimmed() == key)
            return line.mid(eq + 1).trimmed();
    }
    return {};
}

// The program the installed menu entry starts: its first word, looked up in
// PATH when it is a bare name, as the desktop does.
QString execProgram(const QString& exec)
{
    const QString program = exec.section(' ', 0, 0);
    return program.contains('/') ? program : QStandardPaths::findExecutable(program);
}

bool sameFile(const QString& a, const QString& b)
{
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

void runIfPresent(const QString& tool, const QString& folder)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty() || !QFileInfo(folder).isDir())
        return;
    QProcess process;
    process.start(program, {folder});
    if (process.waitForStarted(kToolTimeoutMs))
        process.waitForFinished(kToolTimeoutMs);
}

} // namespace

const FileTypeRegistry::FileType* FileTypeRegistry::find(const QString& ext)
{
    for (const FileType& type : kTypes)
        if (ext.compare(type.ext, Qt::CaseInsensitive) == 0)
            return &type;
    return nullptr;
}

QStringList FileTypeRegistry::extensions()
{
    QStringList out;
    for (const FileType& type : kTypes)
        out << type.ext;
    return out;
}

QStringList FileTypeRegistry::mimeTypes()
{
    QStringList out;
    for (const FileType& type : kTypes)
        out << type.mimeType;
    return out;
}

FileTypeRegistry::FileTypeRegistry(QString programPath, QString dataHome, QStringList systemDirs)
    : programPath_(std::move(programPath)), dataHome_(std::move(dataHome)), systemDirs_(std::move(systemDirs))
{
    if (dataHome_.isEmpty()) {
        dataHome_ = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        systemDirs_ = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
        systemDirs_.removeAll(dataHome_);
    }
}

QString FileTypeRegistry::mimePackagePath(const QString& ext) const
{
    return dataHome_ + "/mime/packages/qv-matrix-" + ext.toLower() + ".xml";
}

QString FileTypeRegistry::desktopEntryPath(const QString& ext) const
{
    return dataHome_ + "/applications/qv-matrix-" + ext.toLower() + ".desktop";
}

QString FileTypeRegistry::execLine() const
{
    return DesktopExecArgument(programPath_) + " %f";
}

bool FileTypeRegistry::isAssociated(const QString& ext) const
{
    const FileType* type = find(ext);
    if (!type)
        return false;
    if (QFileInfo::exists(mimePackagePath(ext))) {
        const QString entry = desktopEntryPath(ext);
        if (QFileInfo::exists(entry))
            return desktopValue(entry, "Exec") == execLine();
        return true;
    }
    return installedAssociation(*type);
}

bool FileTypeRegistry::installedAssociation(const FileType& type) const
{
    const QString package = QFileInfo(mimePackagePath(type.ext)).fileName();
    for (const QString& dir : systemDirs_) {
        if (!QFileInfo::exists(dir + "/mime/packages/" + package))
            continue;
        const QString entry = dir + "/applications/" + kInstalledEntry;
        if (!QFileInfo::exists(entry))
            return true;
        return desktopValue(entry, "MimeType").split(';').contains(type.mimeType) &&
               sameFile(execProgram(desktopValue(entry, "Exec")), programPath_);
    }
    return false;
}

bool FileTypeRegistry::setAssociation(const QString& ext, bool on)
{
    error_.clear();
    const FileType* type = find(ext);
    if (!type)
        return false;
    bool ok = true;
    if (on) {
        DesktopEntry entry;
        entry.name = "QV-Matrix";
        entry.comment = type->comment;
        entry.exec = execLine();
        entry.icon = "qv-matrix";
        entry.mimeTypes = {type->mimeType};
        entry.hidden = true;
        ok = writeTypeFiles(ext) && writeText(desktopEntryPath(ext), DesktopEntryText(entry), error_);
    } else {
        QFile::remove(mimePackagePath(ext));
        QFile::remove(desktopEntryPath(ext));
        removeIcons(*type);
        // Unticking a type the installed package associates must not look done.
        if (installedAssociation(*type)) {
            error_ = QStringLiteral("%1 files are associated with QV-Matrix for all users by the installed "
                                    "package; this cannot be undone for one user.")
                         .arg(type->comment);
            ok = false;
        }
    }
    refresh();
    return ok;
}

bool FileTypeRegistry::writeTypeFiles(const QString& ext)
{
    error_.clear();
    const FileType* type = find(ext);
    return type && writeIcons(*type) && writeText(mimePackagePath(ext), mimePackage(*type), error_);
}

bool FileTypeRegistry::writeIcons(const FileType& type)
{
    return WriteThemeIcon(dataHome_, "mimetypes", iconName(type), iconOf(type), error_) &&
           WriteThemeIcon(dataHome_, "apps", "qv-matrix", QvIcon::Program, error_);
}

void FileTypeRegistry::removeIcons(const FileType& type)
{
    for (int size : kThemeIconSizes)
        QFile::remove(
            QStringLiteral("%1/icons/hicolor/%2x%2/mimetypes/%3.png").arg(dataHome_).arg(size).arg(iconName(type)));
}

void FileTypeRegistry::refresh() const
{
    if (!refreshCaches_)
        return;
    runIfPresent("update-mime-database", dataHome_ + "/mime");
    runIfPresent("update-desktop-database", dataHome_ + "/applications");
}

QString DesktopEntryText(const DesktopEntry& entry)
{
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\n").arg(entry.name);
    if (!entry.genericName.isEmpty())
        text += "GenericName=" + entry.genericName + "\n";
    text += "Comment=" + entry.comment + "\nExec=" + entry.exec + "\nIcon=" + entry.icon + "\n";
    if (!entry.mimeTypes.isEmpty())
        text += "MimeType=" + entry.mimeTypes.join(';') + ";\n";
    if (!entry.categories.isEmpty())
        text += "Categories=" + entry.categories.join(';') + ";\n";
    if (!entry.keywords.isEmpty())
        text += "Keywords=" + entry.keywords.join(';') + ";\n";
    if (entry.hidden)
        text += "NoDisplay=true\n";
    text += "Terminal=false\n";
    return text;
}

bool WriteThemeIcon(const QString& dataDir, const QString& context, const QString& name, QvIcon icon,
                    QString& error)
{
    for (int size : kThemeIconSizes) {
        const QString folder = QStringLiteral("%1/icons/hicolor/%2x%2/%3").arg(dataDir).arg(size).arg(context);
        const QString path = folder + "/" + name + ".png";
        if (!QDir().mkpath(folder) || !DrawQvIcon(icon, size).save(path, "PNG")) {
            error = path + ": the icon could not be written.";
            return false;
        }
    }
    return true;
}

QString DesktopExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = argument.isEmpty();
    for (QChar c : argument)
        quote |= reserved.contains(c);
    QString out;
    for (QChar c : argument) {
        if (c == '%')
            out += "%%";
        else if (quote && (c == '"' || c == '`' || c == '$' || c == '\\'))
            out += QStringLiteral("\\") + c;
        else
            out += c;
    }
    if (!quote)
        return out;
    // The value is a string too, whose own escape doubles each backslash.
    out.replace('\\', "\\\\");
    return '"' + out + '"';
}

} // namespace qv
