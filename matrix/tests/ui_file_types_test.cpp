#include "matrix/ui/file_types.h"
#include "platform/tests/qt_test_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(FileTypes, AssociatingWritesPackageEntryAndIconsAndTheCheckFollowsThem)
{
    QTemporaryDir data;
    qv::FileTypeRegistry registry("/opt/qv matrix/qv-matrix", data.path());
    registry.setRefreshCaches(false);
    for (const QString& ext : qv::FileTypeRegistry::extensions())
        EXPECT_FALSE(registry.isAssociated(ext)) << ext.toStdString();

    ASSERT_TRUE(registry.setAssociation("PRE", true));
    EXPECT_TRUE(registry.isAssociated("PRE"));
    EXPECT_TRUE(registry.isAssociated("pre"));
    EXPECT_FALSE(registry.isAssociated("MCR")) << "each type on its own";

    const QString package = readAll(data.path() + "/mime/packages/qv-matrix-pre.xml");
    EXPECT_TRUE(package.contains("<mime-type type=\"application/x-qv-matrix-preset\">"));
    EXPECT_TRUE(package.contains("<comment>QV-Matrix Preset</comment>"));
    EXPECT_TRUE(package.contains("<glob pattern=\"*.PRE\"/>"));
    EXPECT_TRUE(package.contains("<glob pattern=\"*.pre\"/>"));
    const QString entry = readAll(data.path() + "/applications/qv-matrix-pre.desktop");
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/qv matrix/qv-matrix\" %f\n"));
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-qv-matrix-preset;\n"));
    const QImage icon(data.path() + "/icons/hicolor/48x48/mimetypes/application-x-qv-matrix-preset.png");
    EXPECT_EQ(icon.size(), QSize(48, 48));
    EXPECT_FALSE(QImage(data.path() + "/icons/hicolor/128x128/apps/qv-matrix.png").isNull());

    // The same type opened by another program is not ours.
    EXPECT_FALSE(qv::FileTypeRegistry("/usr/bin/other", data.path()).isAssociated("PRE"));
    // Without a desktop entry the package alone counts.
    QFile::remove(registry.desktopEntryPath("PRE"));
    EXPECT_TRUE(qv::FileTypeRegistry("/usr/bin/other", data.path()).isAssociated("PRE"));

    ASSERT_TRUE(registry.setAssociation("MCR", true));
    EXPECT_TRUE(readAll(registry.mimePackagePath("MCR")).contains("<sub-class-of type=\"text/plain\"/>"))
        << "macros open in text editors as well";
    ASSERT_TRUE(registry.setAssociation("PRE", false));
    EXPECT_FALSE(registry.isAssociated("PRE"));
    EXPECT_FALSE(QFile::exists(registry.mimePackagePath("PRE")));
    EXPECT_FALSE(QFile::exists(data.path() + "/icons/hicolor/48x48/mimetypes/application-x-qv-matrix-preset.png"));
    EXPECT_TRUE(registry.isAssociated("MCR"));
    EXPECT_FALSE(registry.setAssociation("TXT", true)) << "only the three types";
}

TEST(FileTypes, TheDesktopCachesAreRefreshedWhereTheirToolsExist)
{
    QTemporaryDir data;
    qv::FileTypeRegistry registry("/usr/bin/qv-matrix", data.path());
    ASSERT_TRUE(registry.setAssociation("CDP", true)) << "with or without the tools";
    EXPECT_TRUE(registry.isAssociated("CDP"));
    if (QStandardPaths::findExecutable("update-mime-database").isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";
    EXPECT_TRUE(readAll(data.path() + "/mime/globs2").contains("application/x-qv-matrix-package:*.cdp"));
}

TEST(FileTypes, ExecArgumentsAreQuotedWhereDesktopEntriesNeedIt)
{
    const std::pair<QString, QString> cases[] = {
        {"/usr/bin/qv-matrix", "/usr/bin/qv-matrix"},
        {"/opt/qv matrix/qv-matrix", "\"/opt/qv matrix/qv-matrix\""},
        {"/opt/a$b/qv-matrix", "\"/opt/a\\\\$b/qv-matrix\""},
        {"/opt/x\"y", "\"/opt/x\\\\\"y\""},
        {"/opt/100%/qv-matrix", "/opt/100%%/qv-matrix"},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(qv::DesktopExecArgument(path), expected) << path.toStdString();
}

namespace {

// An installed package under <root>/usr: the program and its MIME packages,
// and its menu entry as writeEntry makes it.
struct InstalledPackage {
    QTemporaryDir root;
    QString program = root.path() + "/usr/bin/qv-matrix";
    QString share = root.path() + "/usr/share";

    InstalledPackage()
    {
        QDir().mkpath(root.path() + "/usr/bin");
        QFile file(program);
        file.open(QIODevice::WriteOnly);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qv::FileTypeRegistry installed(program, share);
        for (const QString& ext : qv::FileTypeRegistry::extensions())
            EXPECT_TRUE(installed.writeTypeFiles(ext));
    }
    void writeEntry(const QString& exec, const QStringList& mimeTypes = qv::FileTypeRegistry::mimeTypes()) const
    {
        qv::DesktopEntry entry;
        entry.name = "QV-Matrix";
        entry.exec = exec;
        entry.mimeTypes = mimeTypes;
        QDir().mkpath(share + "/applications");
        QFile menu(share + "/applications/" + qv::FileTypeRegistry::kInstalledEntry);
        menu.open(QIODevice::WriteOnly);
        menu.write(qv::DesktopEntryText(entry).toUtf8());
    }
};

// PATH with a folder in front while it lives.
class PathInFront {
public:
    explicit PathInFront(const QString& folder) { qputenv("PATH", folder.toUtf8() + ":" + old_); }
    ~PathInFront() { qputenv("PATH", old_); }

private:
    QByteArray old_ = qgetenv("PATH");
};

} // namespace

TEST(FileTypes, AnInstalledPackageAssociatesTheTypesWithTheProgramItsMenuEntryStarts)
{
    QTemporaryDir user;
    InstalledPackage package;
    const PathInFront path(QFileInfo(package.program).path());
    struct Case {
        const char* exec;
        QString program;
        bool associated;
        const char* why;
    } cases[] = {
        {"qv-matrix %f", package.program, true, "the name is looked up in PATH, as the desktop does"},
        {"qv-matrix %f", "/usr/local/bin/qv-matrix", false, "another copy of the program"},
        {"", package.program, true, "an absolute path"},
        {"other %f", package.program, false, "the entry starts another program"},
    };
    for (const Case& c : cases) {
        package.writeEntry(*c.exec ? QString(c.exec) : package.program + " %f");
        const qv::FileTypeRegistry registry(c.program, user.path(), {package.share});
        for (const QString& ext : qv::FileTypeRegistry::extensions())
            EXPECT_EQ(registry.isAssociated(ext), c.associated) << c.why << ", " << ext.toStdString();
    }

    package.writeEntry("qv-matrix %f", {"application/x-qv-matrix-preset"});
    qv::FileTypeRegistry registry(package.program, user.path(), {package.share});
    registry.setRefreshCaches(false);
    EXPECT_TRUE(registry.isAssociated("PRE"));
    EXPECT_FALSE(registry.isAssociated("MCR")) << "the menu entry does not open macros";

    // The user's own registration decides over the installed one.
    qv::FileTypeRegistry other("/usr/bin/other", user.path(), {package.share});
    other.setRefreshCaches(false);
    ASSERT_TRUE(other.setAssociation("PRE", true));
    EXPECT_FALSE(registry.isAssociated("PRE"));

    // Unticking a type the package associates removes the user's files and
    // says that the type stays associated.
    EXPECT_FALSE(registry.setAssociation("PRE", false));
    EXPECT_EQ(registry.errorText(), "QV-Matrix Preset files are associated with QV-Matrix for all users by the "
                                    "installed package; this cannot be undone for one user.");
    EXPECT_FALSE(QFile::exists(registry.mimePackagePath("PRE")));
    EXPECT_TRUE(registry.isAssociated("PRE"));
    EXPECT_TRUE(registry.setAssociation("MCR", false)) << "a type the package does not open";
}
