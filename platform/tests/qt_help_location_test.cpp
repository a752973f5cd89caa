#include "platform/qt/help_location.h"
#include "platform/tests/qt_test_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

TEST(HelpLocation, TheHelpFolderIsFoundBesideTheProgramsInstalledOrBuilt)
{
    const struct {
        const char* programDir;
        const char* helpPage; // relative to the root, or nullptr for no help
        bool found;
        const char* layout;
    } cases[] = {
        {"usr/bin", "usr/share/qv-suite/help/qv-matrix.html", true, "installed"},
        {"opt/qv/bin", "opt/qv/share/qv-suite/help/qv-matrix.html", true, "installed elsewhere"},
        {"build/apps/qv-matrix", "build/share/qv-suite/help/qv-matrix.html", true, "build tree"},
        {"build/sim", "build/share/qv-suite/help/qv-matrix.html", true, "build tree, one folder down"},
        {"build/a/b/c", "build/share/qv-suite/help/qv-matrix.html", false, "too far below"},
        {"usr/bin", nullptr, false, "no help installed"},
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        QDir().mkpath(root.filePath(c.programDir));
        if (c.helpPage)
            touch(root.filePath(c.helpPage));
        const QString programDir = root.filePath(c.programDir);
        if (c.found) {
            const QString page = root.filePath(c.helpPage);
            EXPECT_EQ(qv::HelpFolder(programDir), QFileInfo(page).path()) << c.layout;
            EXPECT_EQ(qv::HelpPageUrl("qv-matrix.html", programDir), QUrl::fromLocalFile(page)) << c.layout;
        } else {
            EXPECT_EQ(qv::HelpFolder(programDir), "") << c.layout;
        }
        EXPECT_TRUE(qv::HelpPageUrl("no-such-page.html", programDir).isEmpty()) << c.layout;
    }
}

TEST(HelpLocation, ProgramsInTheBuildTreeShowThePagesOfTheSourceTree)
{
    const QString sourceHelp = QFileInfo(QV_SOURCE_DIR "/docs/help").canonicalFilePath();
    ASSERT_FALSE(sourceHelp.isEmpty());
    const QString folder = qv::HelpFolder(QCoreApplication::applicationDirPath());
    ASSERT_FALSE(folder.isEmpty()) << "the build folder has share/qv-suite/help";
    EXPECT_EQ(QFileInfo(folder).canonicalFilePath(), sourceHelp);
    const QUrl page = qv::HelpPageUrl("qv-matrix.html", QCoreApplication::applicationDirPath());
    EXPECT_EQ(QFileInfo(page.toLocalFile()).canonicalFilePath(), sourceHelp + "/qv-matrix.html");
}
