// The whole QV-Matrix program as it starts: its main window, grid, document
// and connection joined up, against the simulated instrument on virtual
// time, driven through menus, the preset drop-down and the mouse.
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using qv::Answer;
using qv::MainField;

using qv::test::Program;

qv::sim::InstrumentOptions WithSerial(uint16_t serial, uint16_t version = 0x0530)
{
    qv::sim::InstrumentOptions o;
    o.serial = serial;
    o.softwareVersion = version;
    return o;
}

} // namespace

TEST(ProgramWindow, StartUpIdentifiesTheInstrumentInTheStatusBar)
{
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        QString connection;
        std::vector<std::string> messages;
        bool upload;
    };
    qv::sim::InstrumentOptions bios;
    bios.biosMode = true;
    const Case cases[] = {
        {"supported", {}, "RVT120S", {}, true},
        {"BIOS mode", bios, "BIOS-mode", {"The connected RVT is in BIOS mode.\rUpload is disabled."}, false},
        {"unsupported type", WithSerial(6050), "RVT470S-A",
         {"The connected RVT470S-A is not supported by this program.\rPlease see helpfile for suported RVT´s."},
         false},
    };
    for (const auto& c : cases) {
        Program p(c.options);
        ASSERT_TRUE(p.app->start()) << c.name;
        EXPECT_EQ(p.form().windowTitle(), "QV-Matrix v. 1.4 ") << c.name;
        EXPECT_EQ(p.form().field(MainField::Connection), c.connection) << c.name;
        EXPECT_EQ(p.prompter.texts(), c.messages) << c.name;
        EXPECT_EQ(p.form().action("mnuUpload")->isEnabled(), c.upload) << c.name;
        EXPECT_FALSE(p.form().action("mnuDownload")->isEnabled()) << c.name << ": nothing to download yet";
        EXPECT_TRUE(p.form().isEnabled()) << c.name;
    }
}

TEST(ProgramWindow, AnOfflineCrosspointChangesOnlyTheSelectedPreset)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuUpload");
    ASSERT_EQ(p.prompter.texts(), std::vector<std::string>{"Configuration is uploaded correctly..."});
    ASSERT_TRUE(p.form().action("mnuDownload")->isEnabled());
    auto* presets = p.form().findChild<QComboBox*>("PresetDropDown");
    EXPECT_EQ(presets->count(), 11);
    EXPECT_EQ(presets->currentText(), "Preset 1 - Preset 1  ");
    EXPECT_FALSE(p.grid().isHidden());
    EXPECT_TRUE(p.form().action("mnuCopyLabels")->isEnabled());

    p.choosePreset(3);
    const auto before = p.image().bytes();
    p.doubleClickCell(4, 1); // input 5 to output 2
    EXPECT_EQ(p.grid().model().sourceOf(1), 4);
    EXPECT_EQ(p.image().routingByte(2, 1) & 0x7F, 4) << "preset 3";
    int changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        changed += before[i] != p.image().bytes()[i];
    EXPECT_EQ(changed, 1) << "one routing byte, nothing else";

    // Back in preset 1 output 2 still has its own source.
    p.choosePreset(1);
    EXPECT_EQ(p.grid().model().sourceOf(1), 1);
}

TEST(ProgramWindow, SaveAsThenSaveWriteTheSameFileAndItOpensAgain)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuUpload");
    p.doubleClickCell(7, 0);
    const std::string first = p.folders.path("first.pre");
    p.prompter.queueText(first);
    p.trigger("mnuSaveAs");
    ASSERT_FALSE(p.file(first).isEmpty());
    EXPECT_FALSE(p.image().modified());
    EXPECT_EQ(p.form().field(MainField::File), QString::fromStdString(first));

    const QByteArray saved = p.file(first);
    p.trigger("mnuSave");
    EXPECT_EQ(p.file(first), saved) << "Save writes the same bytes again";

    // A change, a second file; opening the first brings its routing back.
    p.doubleClickCell(9, 0);
    p.prompter.queueAnswer(Answer::No); // drop the change
    p.prompter.queueText(first);
    p.trigger("mnuOpen");
    EXPECT_EQ(p.grid().model().sourceOf(0), 7);
    EXPECT_FALSE(p.image().modified());
}

TEST(ProgramWindow, ClosingWithChangesFollowsTheAnswer)
{
    struct Case {
        Answer answer;
        bool closes;
        bool saved;
    };
    for (const Case c : {Case{Answer::Yes, true, true}, Case{Answer::No, true, false}, Case{Answer::Cancel, false, false}}) {
        Program p;
        ASSERT_TRUE(p.app->start());
        p.trigger("mnuUpload");
        p.doubleClickCell(3, 2);
        const std::string path = p.folders.path("closing.pre");
        p.prompter.clearShown();
        p.prompter.queueAnswer(c.answer);
        p.prompter.queueText(path); // the Save As name, asked only for Yes
        EXPECT_EQ(p.form().close(), c.closes) << int(c.answer);
        EXPECT_EQ(p.prompter.texts().front(), "Do you wish to save the changes?");
        EXPECT_EQ(!p.file(path).isEmpty(), c.saved) << int(c.answer);
        EXPECT_EQ(p.form().isVisible(), !c.closes) << int(c.answer);
    }
}

TEST(ProgramWindow, DownloadUpgradesAnOldPresetForANewerInstrument)
{
    Program p(WithSerial(12345, 0x0510));
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuUpload");
    p.image().setImageVersion(0x0500);
    p.doubleClickCell(2, 5);
    p.prompter.clearShown();
    p.prompter.queueAnswer(Answer::Yes);
    p.trigger("mnuDownload");
    const auto texts = p.prompter.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "The preset does not appear to be compatable with the software version in the RVT.\rIt is "
                        "STRONGLY recommended to upgrade the preset. \r\rDo you wish to upgrade the preset.");
    EXPECT_EQ(texts[1], "Download complete.");
    EXPECT_EQ(p.image().imageVersion(), 0x0510);
    const auto memory = p.instrument.peek(0x1C000, 16384);
    EXPECT_TRUE(std::equal(p.image().bytes().begin(), p.image().bytes().end(), memory.begin()));
    EXPECT_EQ(p.form().field(MainField::Connection), "RVT120S") << "identified again after its restart";
    EXPECT_TRUE(p.form().isEnabled());
}

TEST(ProgramWindow, ClosingTheTransferWindowCancelsAStalledUpload)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuUpload");
    p.image().setPresetName(0, "Mine");
    const auto image = p.image().bytes();

    // The instrument falls silent a quarter of the way through; the user
    // closes the transfer window, which asks first.
    int64_t silentSinceMs = -1;
    const auto readsBefore = p.instrument.blockReads();
    p.pump.add([&] {
        auto* window = p.form().findChild<qv::TRS232Driver*>();
        if (silentSinceMs < 0 && p.instrument.blockReads() >= readsBefore + 32) {
            p.instrument.options().noAnswer = true;
            silentSinceMs = p.clock.nowMs();
        }
        if (silentSinceMs >= 0 && p.clock.nowMs() - silentSinceMs > 5000 && window && window->isVisible())
            window->close();
    });
    p.prompter.clearShown();
    p.prompter.queueAnswer(Answer::No);  // keep the changes unsaved
    p.prompter.queueAnswer(Answer::Yes); // terminate the upload
    p.trigger("mnuUpload");
    EXPECT_EQ(p.prompter.texts(), (std::vector<std::string>{"Do you wish to save the changes?",
                                                            "You are about to terminate the upload.\r\rDo you wish "
                                                            "to proceed?",
                                                            "Upload is terminated..."}));
    EXPECT_EQ(p.image().bytes(), image) << "the previous image stays";
    EXPECT_EQ(p.form().field(MainField::File), "Upload terminated by the user...");
    EXPECT_TRUE(p.form().isEnabled());
    EXPECT_TRUE(p.form().action("mnuSaveAs")->isEnabled());
}

TEST(ProgramWindow, ACancelledDownloadWarnsRestartsAndOffersHelp)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuUpload");
    p.pump.add([&] {
        auto* window = p.form().findChild<qv::TRS232Driver*>();
        if (p.instrument.blockWrites() >= 16 && window && window->isVisible())
            window->close();
    });
    const int restarts = p.instrument.restartCount();
    p.prompter.clearShown();
    p.prompter.queueAnswer(Answer::Yes); // terminate the download
    p.prompter.queueAnswer(Answer::No);  // "Help!"
    p.trigger("mnuDownload");
    const auto& shown = p.prompter.shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text,
              "You are about to terminate the download.\rTHIS IS NOT RECOMMENDED!!!\r\rDo you wish to proceed?");
    EXPECT_EQ(shown[1].text, "Download terminated by the user.\r\rTHIS IS NOT RECOMMENDED!\r\rPlease see helpfile for "
                             "further details.");
    EXPECT_EQ(shown[1].style, qv::MessageStyle::Alarm);
    EXPECT_EQ(shown[1].buttons, unsigned(qv::ButtonYesNo | qv::ButtonNoAsHelp));
    EXPECT_EQ(p.prompter.helpTopics(), std::vector<qv::HelpTopic>{qv::HelpTopic::PresetUpgrade});
    EXPECT_GE(p.instrument.restartCount(), restarts + 2) << "download mode, then the restart after it";
    EXPECT_EQ(p.form().field(MainField::Connection), "RVT120S");
    EXPECT_TRUE(p.form().isEnabled());
}

TEST(ProgramWindow, F1AndTheHelpMenuOpenTheHelpContents)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    QTest::keyClick(&p.form(), Qt::Key_F1);
    p.trigger("mnuHelp");
    EXPECT_EQ(p.prompter.helpTopics(),
              (std::vector<qv::HelpTopic>{qv::HelpTopic::Contents, qv::HelpTopic::Contents}));
}

TEST(ProgramWindow, RestartShowsTheWaitWindowWhileItRuns)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    auto* wait = p.form().findChild<qv::TWaitForm*>("WaitForm");
    ASSERT_NE(wait, nullptr);
    bool shownDuringRestart = false;
    p.pump.add([&] { shownDuringRestart |= wait->isVisible() && wait->text() == "Please Wait..."; });
    const int restarts = p.instrument.restartCount();
    p.trigger("mnuRestart");
    EXPECT_EQ(p.instrument.restartCount(), restarts + 1);
    EXPECT_TRUE(shownDuringRestart);
    EXPECT_FALSE(wait->isVisible());
    EXPECT_EQ(wait->size(), QSize(384, 48));
    EXPECT_EQ(p.form().field(MainField::Connection), "RVT120S");
}
