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

constexpr int kIconSizes[] = {32, 48, 128};
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

FileTypeRegistry::FileTypeRegistry(QString programPath, QString dataHome)
    : programPath_(std::move(programPath)), dataHome_(std::move(dataHome))
{
    if (dataHome_.isEmpty())
        dataHome_ = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
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
    if (!find(ext) || !QFileInfo::exists(mimePackagePath(ext)))
        return false;
    const QString entry = desktopEntryPath(ext);
    if (QFileInfo::exists(entry))
        return desktopValue(entry, "Exec") == execLine();
    return true;
}

bool FileTypeRegistry::setAssociation(const QString& ext, bool on)
{
    error_.clear();
    const FileType* type = find(ext);
    if (!type)
        return false;
    bool ok = true;
    if (on) {
        const QString entry = QStringLiteral("[Desktop Entry]\n"
                                             "Type=Application\n"
                                             "Name=QV-Matrix\n"
                                             "Comment=%1\n"
                                             "Exec=%2\n"
                                             "Icon=qv-matrix\n"
                                             "MimeType=%3;\n"
                                             "NoDisplay=true\n"
                                             "Terminal=false\n")
                                  .arg(type->comment, execLine(), type->mimeType);
        ok = writeIcons(*type) && writeText(mimePackagePath(ext), mimePackage(*type), error_) &&
             writeText(desktopEntryPath(ext), entry, error_);
    } else {
        QFile::remove(mimePackagePath(ext));
        QFile::remove(desktopEntryPath(ext));
        removeIcons(*type);
    }
    refresh();
    return ok;
}

bool FileTypeRegistry::writeIcons(const FileType& type)
{
    for (int size : kIconSizes) {
        const QString folder = QStringLiteral("%1/icons/hicolor/%2x%2/").arg(dataHome_).arg(size);
        QDir().mkpath(folder + "mimetypes");
        QDir().mkpath(folder + "apps");
        const QString typeIcon = folder + "mimetypes/" + iconName(type) + ".png";
        const QString appIcon = folder + "apps/qv-matrix.png";
        if (!DrawQvIcon(iconOf(type), size).save(typeIcon, "PNG") ||
            !DrawQvIcon(QvIcon::Program, size).save(appIcon, "PNG")) {
            error_ = typeIcon + ": the icon could not be written.";
            return false;
        }
    }
    return true;
}

void FileTypeRegistry::removeIcons(const FileType& type)
{
    for (int size : kIconSizes)
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
