// QV-Matrix from its start: the command-line switches, the settings that
// reach the grid and the recent list, the port that cannot be opened, and
// what opening a file enables; against the simulated instrument on virtual
// time.
#include "config/preset_file.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using qv::MainField;
using qv::test::Program;

using Options = qv::sim::InstrumentOptions;

// The default instrument with one option changed.
template <typename T>
Options With(T Options::*option, T value)
{
    Options o;
    o.*option = value;
    return o;
}

// A preset file holding the simulated instrument's default configuration,
// whose output 2 takes input 2.
struct PresetFile {
    QTemporaryDir dir;
    std::string path = dir.filePath("setup.PRE").toStdString();
    PresetFile()
    {
        qv::ConfigImage image;
        qv::ConfigImage::Bytes bytes{};
        const auto memory = qv::sim::Instrument{}.peek(0x1C000, bytes.size());
        std::copy(memory.begin(), memory.end(), bytes.begin());
        image.replace(bytes, image.trailer());
        qv::ScriptedPrompter quiet;
        EXPECT_TRUE(qv::SaveConfiguration(path, image, quiet));
    }
    QString argument() const { return QString::fromStdString(path); }
};

void WriteIni(Program& p, const QByteArray& ini)
{
    QFile file(p.folders.iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ini);
}

} // namespace

TEST(StartUp, DownloadModeSwitch)
{
    struct Case {
        const char* name;
        Options options;
        bool ends;
        int exitCode;
        bool downloadMode;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"running software", {}, true, 0, true, {}},
        {"BIOS mode", With(&Options::biosMode, true), true, 1, false,
         {"The RVT on SIM is in BIOS mode, so it cannot be restarted in download mode."}},
        {"no text replies", With(&Options::answersText, false), true, 1, false,
         {"The RVT on SIM does not answer text commands, so it cannot be restarted in download mode."}},
        // Nothing answered: the program starts as usual.
        {"no instrument", With(&Options::noAnswer, true), false, 0, false, {"No instrument found."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p(c.options, {"/DLM"});
        EXPECT_EQ(p.app->start(), !c.ends);
        EXPECT_EQ(p.app->exitCode(), c.exitCode);
        p.idle(20); // the last request reaches the instrument
        EXPECT_EQ(p.instrument.inDownloadMode(), c.downloadMode);
        EXPECT_EQ(p.prompter.texts(), c.messages);
        EXPECT_EQ(p.form().isVisible(), !c.ends);
    }
}

TEST(StartUp, AFailedSwitchLeavesRemoteControlForTheNextIdentify)
{
    for (const char* sw : {"/DLM", "/I"}) {
        SCOPED_TRACE(sw);
        Program p(With(&Options::noAnswer, true), {sw});
        ASSERT_TRUE(p.app->start());
        EXPECT_FALSE(p.form().remoteMenuEnabled());

        p.instrument.options().noAnswer = false;
        p.trigger("mnuRestart");
        EXPECT_EQ(p.form().field(MainField::Connection), "RVT120S");
        EXPECT_TRUE(p.form().remoteMenuEnabled()) << "the text query ran";
        EXPECT_TRUE(p.form().action("mnuConnect")->isEnabled());
        EXPECT_TRUE(p.form().hooks().macroMenuState().run);
    }
}

TEST(StartUp, APresetOnTheCommandLineKeepsTheRecentFiles)
{
    const PresetFile preset;
    Program p({}, {preset.argument()});
    WriteIni(p, "[Settings]\nComInterface=SIM\nCheckFileAssociation=0\n"
                "[Files]\nFile_1=/p/one.PRE\nFile_2=/p/two.PRE\nFile_3=/p/three.PRE\nFile_4=/p/four.PRE\n");
    ASSERT_TRUE(p.app->start());
    const QString opened = preset.argument();
    EXPECT_EQ(p.form().settings().recentFiles,
              (qv::RecentFileList{opened, "/p/one.PRE", "/p/two.PRE", "/p/three.PRE"}));
    const QByteArray ini = p.file(p.folders.iniPath().toStdString());
    EXPECT_TRUE(ini.contains("File_1=" + opened.toUtf8() + "\n")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("File_2=/p/one.PRE\n")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("File_4=/p/three.PRE\n")) << ini.toStdString();
}

TEST(StartUp, TheSettingsReachTheGridWhateverHappensWithThePort)
{
    struct Case {
        const char* name;
        const char* port;
        bool preset;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"missing port", "COM9", false,
         {"The previously used comport (COM9) is no longer available.\rPlease select a different port from the "
          "Interface menu."}},
        {"preset on the command line", "SIM", true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PresetFile preset;
        Program p;
        WriteIni(p, QByteArray("[Settings]\nCheckFileAssociation=0\nComInterface=") + c.port +
                        "\n[Window]\nGridPosX=5\nGridPosY=7\n"
                        "[Matrix]\nDoubleClick=0\nXpointFromFile=10\nTraceMouse=0\nTraceColor=255\n");
        // Without the fixture's --simulator, which would choose its port.
        const QStringList arguments = c.preset ? QStringList{"qv-matrix", preset.argument()} : QStringList{"qv-matrix"};
        p.app = std::make_unique<qv::MatrixApplication>(
            qv::ParseMatrixCommandLine(arguments), qv::MatrixServices{p.clock, p.pump, p.prompter, p.port, {"SIM"}});
        ASSERT_TRUE(p.app->start());
        EXPECT_EQ(p.prompter.texts(), c.messages);

        const qv::GridSettings& grid = p.grid().settings();
        EXPECT_FALSE(grid.doubleClick);
        EXPECT_EQ(grid.xpointFromFile, 10);
        EXPECT_FALSE(grid.traceMouse);
        EXPECT_EQ(grid.traceColor, 255u);
        EXPECT_EQ(p.grid().gridPosX(), 5);
        EXPECT_EQ(p.grid().gridPosY(), 7);
        if (c.preset) {
            EXPECT_EQ(p.grid().model().cell(1, 1), 10) << "the file's crosspoints carry the icon of the settings";
        }
    }
}

TEST(StartUp, ABusyPortIsToldAndTriedAgainByTheNextIdentify)
{
    Program p;
    p.port.setRefuseOpen(true);
    ASSERT_TRUE(p.app->start());
    EXPECT_EQ(p.prompter.texts(),
              std::vector<std::string>{"SIM is not available, it could be in use by another application."});
    EXPECT_EQ(p.form().field(MainField::Connection), "Not Connected");

    p.port.setRefuseOpen(false);
    p.trigger("mnuRestart");
    EXPECT_EQ(p.form().field(MainField::Connection), "RVT120S");
}

TEST(StartUp, TheWaitWindowShowsWhileTheTextIdentityIsAsked)
{
    Program p(With(&Options::answersText, false)); // seconds of asking
    size_t asked = 0;
    int shownWhileAsking = 0;
    p.pump.add([&] {
        const size_t lines = p.instrument.textLines().size();
        if (lines > asked) {
            asked = lines;
            const auto* wait = p.form().findChild<qv::TWaitForm*>("WaitForm");
            shownWhileAsking += wait && wait->isVisible() && wait->text() == "Please Wait...";
        }
    });
    ASSERT_TRUE(p.app->start());
    EXPECT_EQ(asked, 9u) << "three attempts of three queries";
    EXPECT_EQ(shownWhileAsking, 9);
    EXPECT_FALSE(p.form().findChild<qv::TWaitForm*>("WaitForm")->isVisible());
}

TEST(StartUp, OpeningAFileEnablesDownloadForAnIdentifiedInstrument)
{
    struct Case {
        const char* name;
        Options options;
        bool download;
    };
    const Case cases[] = {
        {"supported", {}, true},
        {"unsupported type", With<uint16_t>(&Options::serial, 6050), false},
        {"no instrument", With(&Options::noAnswer, true), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Program p(c.options);
        ASSERT_TRUE(p.app->start());
        ASSERT_FALSE(p.form().action("mnuDownload")->isEnabled());
        const PresetFile preset;
        p.prompter.queueText(preset.path);
        p.trigger("mnuOpen");
        ASSERT_FALSE(p.grid().isHidden());
        EXPECT_EQ(p.form().action("mnuDownload")->isEnabled(), c.download);
    }
}

TEST(StartUp, AnExternalProgramThatCannotStartIsNotADownload)
{
    Program p(With(&Options::noAnswer, true)); // nothing on the port: no instrument version
    WriteIni(p, "[Settings]\nCheckFileAssociation=0\nComInterface=SIM\nExtCMD=qv-no-such-transfer-program\n");
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuExternalCommand");
    const PresetFile preset;
    p.prompter.queueText(preset.path);
    p.trigger("mnuOpen");
    ASSERT_TRUE(p.form().action("mnuDownload")->isEnabled());

    p.prompter.clearShown();
    p.trigger("mnuDownload");
    const std::string program =
        (QCoreApplication::applicationDirPath() + "/qv-no-such-transfer-program").toStdString();
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{"The external transfer program " + program +
                                                           " could not be started.\r\rThe configuration was not "
                                                           "downloaded."});
    EXPECT_EQ(p.prompter.shown()[0].kind, qv::MessageKind::Error);
    EXPECT_TRUE(p.form().isEnabled());
}
