#include "matrix/ui/file_types.h"
#include "platform/tests/qt_test_app.h"

#include <QFile>
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
