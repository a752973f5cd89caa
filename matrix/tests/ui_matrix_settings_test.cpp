#include "matrix/ui/matrix_settings.h"
#include "platform/tests/qt_test_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

// Points the configuration folder at a temporary one for the test.
struct ConfigHome {
    QTemporaryDir dir;
    QByteArray old = qgetenv("XDG_CONFIG_HOME");
    ConfigHome() { qputenv("XDG_CONFIG_HOME", dir.path().toUtf8()); }
    ~ConfigHome() { qputenv("XDG_CONFIG_HOME", old); }
    QString path() const { return dir.path() + "/QV-Matrix/QV-Matrix.INI"; }
    void write(const QByteArray& ini)
    {
        QDir().mkpath(dir.path() + "/QV-Matrix");
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
    QByteArray read() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace

TEST(MatrixSettings, TrafficLogFromTheIniOrTheCommandLine)
{
    ConfigHome home;
    EXPECT_EQ(qv::MatrixSettingsPath(), home.dir.path() + "/QV-Matrix/QV-Matrix.INI");
    EXPECT_EQ(qv::TrafficLogSetting({"qv-matrix"}), "") << "off without a setting";

    home.write("[Settings]\r\nComInterface=COM1\r\nTrafficLog=/tmp/serial.log\r\n");
    EXPECT_EQ(qv::TrafficLogSetting({"qv-matrix"}), "/tmp/serial.log");
    EXPECT_EQ(qv::TrafficLogSetting({"qv-matrix", "--traffic-log", "/var/tmp/other.log"}), "/var/tmp/other.log");
}

TEST(MatrixSettings, FlashMirrorIsOffUnlessSet)
{
    ConfigHome home;
    EXPECT_FALSE(qv::FlashMirrorSetting());
    home.write("[Settings]\r\nFlashMirror=true\r\n");
    EXPECT_TRUE(qv::FlashMirrorSetting());
    home.write("[Settings]\r\nFlashMirror=1\r\n");
    EXPECT_TRUE(qv::FlashMirrorSetting());
}

TEST(MatrixSettings, AMissingFileIsCreatedWithTheInterfaceOnlyAndEveryKeyTakesItsDefault)
{
    ConfigHome home;
    ASSERT_TRUE(qv::CreateMatrixSettingsFile(home.path()));
    EXPECT_EQ(home.read(), "[Settings]\nComInterface=COM1\n");
    home.write("[Settings]\nComInterface=ttyUSB0\n");
    ASSERT_TRUE(qv::CreateMatrixSettingsFile(home.path()));
    EXPECT_EQ(home.read(), "[Settings]\nComInterface=ttyUSB0\n") << "an existing file is left alone";

    const qv::MatrixSettings s = qv::ReadMatrixSettings(home.path());
    const qv::MatrixSettings defaults;
    EXPECT_EQ(s.comInterface, "ttyUSB0");
    EXPECT_FALSE(s.window.maximized);
    EXPECT_EQ(QRect(s.window.left, s.window.top, s.window.width, s.window.height), QRect(10, 10, 656, 487));
    EXPECT_EQ(QPoint(s.window.gridPosX, s.window.gridPosY), QPoint(0, 0));
    EXPECT_TRUE(s.matrix.doubleClick);
    EXPECT_EQ(s.matrix.xpointFromFile, 6);
    EXPECT_EQ(s.matrix.illegalXpointGreyed, 2);
    EXPECT_EQ(s.matrix.illegalXpointHighlight, 3);
    EXPECT_EQ(s.matrix.localXpoint, 13);
    EXPECT_EQ(s.matrix.remoteXpoint, 8);
    EXPECT_EQ(s.matrix.lockedXpoint, 4);
    EXPECT_TRUE(s.matrix.traceMouse);
    EXPECT_EQ(s.matrix.traceColor, qv::DefaultTraceColor());
    EXPECT_FALSE(s.keyboard.visible);
    EXPECT_FALSE(s.keyboard.left.has_value());
    EXPECT_EQ(s.extCmd, "");
    EXPECT_FALSE(s.globalHotkeys);
    EXPECT_TRUE(s.checkFileAssociation);
    EXPECT_EQ(s.lastScaleFile, "");
    EXPECT_EQ(s.recentFiles, defaults.recentFiles);
    EXPECT_EQ(s.macroFiles, defaults.macroFiles);

    // Beside a 200 x 100 keyboard window: Left + Width - 200 - 8, Top + 100.
    EXPECT_EQ(qv::KeyboardWindowPosition(s, QSize(200, 100)), QPoint(10 + 656 - 200 - 8, 10 + 100));
}

TEST(MatrixSettings, IconNumbersOutsideTheIconListFallBack)
{
    const int last = qv::kCrosspointIconCount - 1;
    struct Case {
        const char* key;
        int value;
        int expected;
    } cases[] = {
        {"XpointFromFile", 1, 6},           {"XpointFromFile", 2, 2},
        {"XpointFromFile", last, last},     {"XpointFromFile", last + 1, 6},
        {"Illegal_XpointGreyed", 0, 2},     {"Illegal_XpointGreyed", 1, 1},
        {"Illegal_XpointGreyed", 99, 3},    {"Illegal_XpointGreyed", last, last},
        {"Illegal_XpointHighlight", 1, 3},  {"Illegal_XpointHighlight", 2, 2},
        {"Illegal_XpointHighlight", 99, 3}, {"LocalXpoint", 99, 99},
        {"RemoteXpoint", -1, -1},           {"LockedXpoint", 0, 0},
    };
    ConfigHome home;
    for (const Case& c : cases) {
        home.write(QStringLiteral("[Matrix]\n%1=%2\n").arg(c.key).arg(c.value).toUtf8());
        const qv::GridSettings m = qv::ReadMatrixSettings(home.path()).matrix;
        const std::map<std::string, int> read = {
            {"XpointFromFile", m.xpointFromFile},       {"Illegal_XpointGreyed", m.illegalXpointGreyed},
            {"Illegal_XpointHighlight", m.illegalXpointHighlight}, {"LocalXpoint", m.localXpoint},
            {"RemoteXpoint", m.remoteXpoint},           {"LockedXpoint", m.lockedXpoint},
        };
        EXPECT_EQ(read.at(c.key), c.expected) << c.key << "=" << c.value;
    }
}

TEST(MatrixSettings, GarbageValuesTakeTheDefaults)
{
    ConfigHome home;
    home.write("[Window]\nMaximized=perhaps\nLeft=ten\nWidth=12\nHeight=\nGridPosX=-5\n"
               "[Matrix]\nDoubleClick=x\nXpointFromFile=six\nTraceMouse=\nTraceColor=-16777203\n"
               "[KeyboardWindow]\nLeft=abc\n"
               "[Settings]\nGlobalHotkeys=maybe\nCheckFileAssociation=2\n");
    const qv::MatrixSettings s = qv::ReadMatrixSettings(home.path());
    EXPECT_FALSE(s.window.maximized);
    EXPECT_EQ(s.window.left, 10);
    EXPECT_EQ(s.window.width, 656) << "never below the minimum size";
    EXPECT_EQ(s.window.height, 487);
    EXPECT_EQ(s.window.gridPosX, 0);
    EXPECT_TRUE(s.matrix.doubleClick);
    EXPECT_EQ(s.matrix.xpointFromFile, 6);
    EXPECT_TRUE(s.matrix.traceMouse);
    EXPECT_EQ(s.matrix.traceColor, qv::DefaultTraceColor()) << "a system colour number means the desktop's";
    EXPECT_FALSE(s.keyboard.left.has_value());
    EXPECT_FALSE(s.globalHotkeys);
    EXPECT_TRUE(s.checkFileAssociation) << "any number but 0 is true";
}

TEST(MatrixSettings, ValuesAreTakenLiterallyAndKeysWhateverTheirCase)
{
    ConfigHome home;
    home.write("; written by hand\r\n"
               "[settings]\r\ncominterface = /dev/serial/by-id/usb-A,B \r\nExtCMD=tools\\xfer.exe\r\n"
               "[MacroFiles]\r\nFile#0=/m/ten.MCR\r\nfile#1=/m/one.MCR\r\n"
               "[Files]\r\nFile_1=/p/a,b.PRE\r\nFile_1=/p/ignored.PRE\r\n"
               "[Matrix]\r\nTraceColor=$FF8000\r\n");
    qv::MatrixSettings s = qv::ReadMatrixSettings(home.path());
    EXPECT_EQ(s.comInterface, "/dev/serial/by-id/usb-A,B");
    EXPECT_EQ(s.extCmd, "tools\\xfer.exe");
    EXPECT_EQ(s.macroFiles[9], "/m/ten.MCR") << "item 10 is File#0";
    EXPECT_EQ(s.macroFiles[0], "/m/one.MCR");
    EXPECT_EQ(s.recentFiles[0], "/p/a,b.PRE") << "the first of two equal keys counts";
    EXPECT_EQ(s.matrix.traceColor, 0xFF8000u);
}

TEST(MatrixSettings, WritingKeepsExtCmdAndOtherKeysAndRoundTrips)
{
    ConfigHome home;
    home.write("[Settings]\nComInterface=COM1\nExtCMD=C:\\x\\xfer.exe\nTrafficLog=/tmp/t.log\nFlashMirror=1\n"
               "[Other]\nKey=kept\n");
    qv::MatrixSettings s = qv::ReadMatrixSettings(home.path());
    s.extCmd = "changed in memory";
    s.comInterface = "ttyUSB1";
    s.window = {false, 30, 40, 800, 600, 7, 9};
    s.matrix.doubleClick = false;
    s.matrix.traceColor = 0x123456;
    s.keyboard = {true, 500, 60};
    s.globalHotkeys = true;
    s.checkFileAssociation = false;
    s.lastScaleFile = "/s/lib.DAT";
    s.recentFiles = {"/a.PRE", "/b.PRE", "", ""};
    s.macroFiles[9] = "/m/ten.MCR";
    ASSERT_TRUE(qv::WriteMatrixSettings(s, home.path()));

    const QByteArray ini = home.read();
    EXPECT_TRUE(ini.contains("ExtCMD=C:\\x\\xfer.exe\n")) << "ExtCMD is never written";
    EXPECT_TRUE(ini.contains("TrafficLog=/tmp/t.log\n"));
    EXPECT_TRUE(ini.contains("[Other]\nKey=kept\n"));
    EXPECT_TRUE(ini.contains("File#0=/m/ten.MCR\n"));
    EXPECT_TRUE(qv::FlashMirrorSetting());

    const qv::MatrixSettings back = qv::ReadMatrixSettings(home.path());
    EXPECT_EQ(back.extCmd, "C:\\x\\xfer.exe");
    EXPECT_EQ(back.comInterface, "ttyUSB1");
    EXPECT_EQ(QRect(back.window.left, back.window.top, back.window.width, back.window.height), QRect(30, 40, 800, 600));
    EXPECT_EQ(QPoint(back.window.gridPosX, back.window.gridPosY), QPoint(7, 9));
    EXPECT_FALSE(back.matrix.doubleClick);
    EXPECT_EQ(back.matrix.traceColor, 0x123456u);
    EXPECT_TRUE(back.keyboard.visible);
    EXPECT_EQ(qv::KeyboardWindowPosition(back, QSize(200, 100)), QPoint(500, 60));
    EXPECT_TRUE(back.globalHotkeys);
    EXPECT_FALSE(back.checkFileAssociation);
    EXPECT_EQ(back.lastScaleFile, "/s/lib.DAT");
    EXPECT_EQ(back.recentFiles, s.recentFiles);
    EXPECT_EQ(back.macroFiles, s.macroFiles);

    // A maximized window keeps the normal place it had.
    s.window = {true, 0, 0, 2000, 1500, 0, 0};
    ASSERT_TRUE(qv::WriteMatrixSettings(s, home.path()));
    const qv::MatrixSettings maximized = qv::ReadMatrixSettings(home.path());
    EXPECT_TRUE(maximized.window.maximized);
    EXPECT_EQ(QRect(maximized.window.left, maximized.window.top, maximized.window.width, maximized.window.height),
              QRect(30, 40, 800, 600));
}

TEST(MatrixSettings, AFileNameWithLineBreaksAddsNoLinesOfItsOwn)
{
    ConfigHome home;
    home.write("[Settings]\nComInterface=COM1\n");
    const qv::RecentFileList files{"/p/x.PRE\n[Settings]\r\nExtCMD=/tmp/other-program", "", "", ""};
    ASSERT_TRUE(qv::WriteRecentFiles(files, home.path()));
    const qv::MatrixSettings s = qv::ReadMatrixSettings(home.path());
    EXPECT_EQ(s.extCmd, "") << "no external program from a file name";
    EXPECT_EQ(s.recentFiles[0], "/p/x.PRE [Settings]  ExtCMD=/tmp/other-program");
}

TEST(MatrixSettings, WritingKeepsASectionWithoutAName)
{
    ConfigHome home;
    home.write("[Settings]\nComInterface=COM1\n[]\nExtCMD=/tmp/other-program\n");
    ASSERT_EQ(qv::ReadMatrixSettings(home.path()).extCmd, "");
    ASSERT_TRUE(qv::WriteRecentFiles({"/a.PRE", "", "", ""}, home.path()));
    EXPECT_EQ(qv::ReadMatrixSettings(home.path()).extCmd, "") << "its keys stay out of [Settings]";
    EXPECT_TRUE(home.read().startsWith("[Settings]\nComInterface=COM1\n[]\nExtCMD=/tmp/other-program\n"));
}

TEST(MatrixSettings, AFileThatCannotBeWrittenIsReported)
{
    ConfigHome home;
    home.write("[Settings]\nComInterface=COM1\n");
    QFile::setPermissions(home.dir.path() + "/QV-Matrix", QFile::ReadOwner | QFile::ExeOwner);
    QFile::setPermissions(home.path(), QFile::ReadOwner);
    if (QFileInfo(home.path()).isWritable())
        GTEST_SKIP() << "running with rights that ignore file permissions";
    QString error;
    EXPECT_FALSE(qv::WriteMatrixSettings(qv::MatrixSettings{}, home.path(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(home.read(), "[Settings]\nComInterface=COM1\n") << "the old file stays";
    QFile::setPermissions(home.dir.path() + "/QV-Matrix", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(MatrixSettings, TheFileKeepsItsCommentsAndOrderAndEditsAreSeenAtOnce)
{
    ConfigHome home;
    home.write("; kept\r\n[Settings]\r\nComInterface=COM1\r\nOwnKey=x\r\n\r\n[Window]\r\nLeft=5\r\n");
    EXPECT_EQ(qv::ReadMatrixSettings(home.path()).comInterface, "COM1");
    home.write("; kept\r\n[Settings]\r\nComInterface=COM2\r\nOwnKey=x\r\n\r\n[Window]\r\nLeft=5\r\n");
    EXPECT_EQ(qv::ReadMatrixSettings(home.path()).comInterface, "COM2") << "an edit of the same size";

    qv::RecentFileList files{"/a.PRE", "", "", ""};
    ASSERT_TRUE(qv::WriteRecentFiles(files, home.path()));
    ASSERT_TRUE(qv::WriteMacroFile(10, "/m/ten.MCR", home.path()));
    EXPECT_EQ(home.read(), "; kept\n[Settings]\nComInterface=COM2\nOwnKey=x\n\n[Window]\nLeft=5\n\n"
                           "[Files]\nFile_1=/a.PRE\nFile_2=\nFile_3=\nFile_4=\n\n[MacroFiles]\nFile#0=/m/ten.MCR\n");
}
