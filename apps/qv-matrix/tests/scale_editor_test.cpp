// QV-Scale in the whole program against the simulated instrument on
// virtual time: opened from the Tools menu on our default library, a scale
// downloaded into its slot of the instrument, one placed into the
// uploaded configuration, and what happens when the instrument falls
// silent or remote control is on.
#include "data/embedded_data.h"
#include "matrix/ui/trs232_driver.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"
#include "scale/ui/qv_scale_form.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using qv::Answer;
using qv::test::Program;
using Bytes = std::vector<uint8_t>;

constexpr uint32_t kConfig = 0x1C000;
constexpr size_t kConfigSize = 0x4000;

Bytes Item(const char* name)
{
    const auto item = qv::EmbeddedData(name);
    return {item.begin(), item.end()};
}

struct ScaleProgram : Program {
    ScaleProgram() { started = app->start(); }

    qv::TQVScaleForm& editor() { return app->scaleEditor(); }
    QAction* command(const char* name) { return editor().findChild<QAction*>(name); }
    void openEditor()
    {
        trigger("mnuQVScale");
        prompter.clearShown();
    }
    void showScale(int number)
    {
        auto* list = editor().findChild<QComboBox*>("ScaleNoEdit");
        list->setCurrentIndex(number - 1);
        emit list->activated(number - 1);
    }
    Bytes config() const { return instrument.peek(kConfig, kConfigSize); }
    // The configuration memory as it was, with the slot at offset holding slot.
    static Bytes with(Bytes memory, size_t offset, const Bytes& slot)
    {
        std::copy(slot.begin(), slot.end(), memory.begin() + long(offset));
        return memory;
    }

    bool started = false;
};

TEST(ScaleEditorProgram, ToolsMenuOpensItOnTheDefaultLibrary)
{
    ScaleProgram p;
    ASSERT_TRUE(p.started);
    ASSERT_TRUE(p.form().action("mnuQVScale")->isEnabled());
    p.openEditor();
    EXPECT_TRUE(p.editor().isVisible());
    EXPECT_FALSE(p.form().isEnabled()) << "the main window waits";
    EXPECT_TRUE(p.editor().isEnabled());
    auto* list = p.editor().findChild<QComboBox*>("ScaleNoEdit");
    EXPECT_EQ(list->itemText(0), "Scale #1 - LeqM");
    EXPECT_EQ(list->itemText(1), "Scale #2 - 60dB");
    EXPECT_EQ(list->itemText(2), "Scale #3 - 6 dB");
    EXPECT_EQ(list->itemText(3), "Scale #4 - ");
    EXPECT_TRUE(p.command("mnuDownload")->isEnabled()) << "the instrument is identified";
    EXPECT_FALSE(p.command("mnuInsertScale")->isEnabled()) << "no configuration loaded";

    // Restart: the instrument restarts and is identified again; the main
    // window keeps waiting for the editor.
    const int restarts = p.instrument.restartCount();
    p.command("actRestart")->trigger();
    EXPECT_EQ(p.instrument.restartCount(), restarts + 1);
    EXPECT_EQ(p.form().field(qv::MainField::Connection), "RVT120S");
    EXPECT_FALSE(p.form().isEnabled());
    EXPECT_TRUE(p.editor().isEnabled());

    EXPECT_TRUE(p.editor().close());
    EXPECT_TRUE(p.form().isEnabled());
    EXPECT_TRUE(p.prompter.texts().empty());
}

TEST(ScaleEditorProgram, DownloadWritesExactlyTheScaleIntoItsSlot)
{
    ScaleProgram p;
    ASSERT_TRUE(p.started);
    p.openEditor();
    p.showScale(3); // "6 dB", for "1630 II"
    const Bytes before = p.config();
    const int restarts = p.instrument.restartCount();
    p.command("mnuDownload")->trigger();

    const Bytes table = Item("DMU2");
    const auto built = qv::ScaleTableBytes(p.editor().table());
    ASSERT_EQ(Bytes(built.begin(), built.end()), table) << "the scale as the default table was made";
    EXPECT_EQ(p.config(), ScaleProgram::with(before, 0x1B00, table));
    EXPECT_EQ(p.panel.command("scale 10").rfind("scale 10 at 0x1DB00, name \"6 dB\"", 0), 0u);
    EXPECT_EQ(p.instrument.restartCount(), restarts + 2) << "into download mode and out again";
    EXPECT_FALSE(p.instrument.inDownloadMode());
    EXPECT_TRUE(p.prompter.texts().empty());
    EXPECT_TRUE(p.editor().isEnabled());
    EXPECT_FALSE(p.form().isEnabled()) << "the editor is still open";
    EXPECT_EQ(p.form().field(qv::MainField::Connection), "RVT120S") << "identified again";

    // F2 in the key list sends the scale shown to the key chosen there.
    p.showScale(1);
    auto* keys = p.editor().findChild<QComboBox*>("KeyNoBox");
    keys->setCurrentIndex(0); // "Key 1"
    emit keys->activated(0);
    QTest::keyClick(keys, Qt::Key_F2);
    EXPECT_EQ(p.config(), ScaleProgram::with(ScaleProgram::with(before, 0x1B00, table), 0x500, Item("LeqM")));
}

TEST(ScaleEditorProgram, ASilentInstrumentLeavesTheSlotAsItWas)
{
    ScaleProgram p;
    ASSERT_TRUE(p.started);
    p.openEditor();
    const Bytes before = p.config();
    p.instrument.options().noAnswer = true;
    p.command("mnuDownload")->trigger();
    EXPECT_GE(p.prompter.count("No instrument found."), 1);
    EXPECT_EQ(p.config(), before);
    EXPECT_TRUE(p.editor().isEnabled());
    EXPECT_FALSE(p.form().isEnabled());
    EXPECT_FALSE(p.command("mnuDownload")->isEnabled()) << "no longer identified";
}

TEST(ScaleEditorProgram, AnInstrumentFallingSilentMidwayIsSaid)
{
    ScaleProgram p;
    ASSERT_TRUE(p.started);
    p.openEditor();
    const int writes = p.instrument.blockWrites();
    // Silent after the first of the two blocks; the user closes the
    // transfer window after a while.
    int64_t silentSinceMs = -1;
    QString shownText;
    p.pump.add([&] {
        if (silentSinceMs < 0 && p.instrument.blockWrites() == writes + 1) {
            p.instrument.options().noAnswer = true;
            silentSinceMs = p.clock.nowMs();
        }
        auto* window = p.form().findChild<qv::TRS232Driver*>();
        if (window && window->isVisible())
            shownText = window->findChild<QLabel*>("DSPProgressFileName")->text();
        if (silentSinceMs >= 0 && p.clock.nowMs() - silentSinceMs > 3000 && window && window->isVisible())
            window->close();
    });
    p.command("mnuDownload")->trigger();
    EXPECT_EQ(shownText, "Downloading Scale...");
    EXPECT_EQ(p.prompter.count(qv::TQVScaleForm::kNotDownloadedText), 1);
    EXPECT_EQ(p.instrument.blockWrites(), writes + 1);
    EXPECT_TRUE(p.editor().isEnabled());
    EXPECT_FALSE(p.form().isEnabled());
}

TEST(ScaleEditorProgram, RemoteControlEndsOnlyWhenTheUserAgrees)
{
    ScaleProgram p;
    ASSERT_TRUE(p.started);
    p.trigger("mnuUpload");
    p.prompter.queueAnswer(Answer::No); // the uploaded image's changes
    p.trigger("mnuConnect");
    p.idle(2000);
    ASSERT_TRUE(p.app->remoteControl().connected());
    p.openEditor();
    EXPECT_FALSE(p.command("mnuInsertScale")->isEnabled()) << "remote control is on";

    const Bytes before = p.config();
    const std::string question = "The remote connection to the RVT120S will be disconnected.\rDo you wish to proceed?";
    p.prompter.queueAnswer(Answer::No);
    p.command("mnuDownload")->trigger();
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{question});
    EXPECT_TRUE(p.app->remoteControl().connected());
    EXPECT_EQ(p.config(), before);

    p.prompter.queueAnswer(Answer::Yes);
    p.command("mnuDownload")->trigger();
    EXPECT_FALSE(p.app->remoteControl().connected());
    EXPECT_EQ(p.config(), ScaleProgram::with(before, 0xC00, Item("LeqM")));
    EXPECT_EQ(p.prompter.count(question), 2) << "asked once each time, not again by the restart";
}

TEST(ScaleEditorProgram, InsertChangesTheConfigurationAndItsSaveQuestion)
{
    ScaleProgram p;
    ASSERT_TRUE(p.started);
    p.trigger("mnuUpload");
    ASSERT_TRUE(p.grid().imageShown());
    p.image().setModified(false); // as if saved
    const auto image = p.image().bytes();
    p.openEditor();
    ASSERT_TRUE(p.command("mnuInsertScale")->isEnabled());

    p.prompter.queueAnswer(Answer::Yes);
    p.command("mnuInsertScale")->trigger();
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{"Do you wish to replace the scale for [Leq] in the "
                                                           "currently loaded configuration file?"});
    const Bytes leqm = Item("LeqM");
    for (size_t a = 0; a < image.size(); ++a) {
        const bool inSlot = a >= 0xC00 && a < 0xD00;
        ASSERT_EQ(p.image().bytes()[a], inSlot ? leqm[a - 0xC00] : image[a]) << a;
    }
    EXPECT_TRUE(p.image().modified());
    EXPECT_TRUE(p.form().action("mnuSaveAs")->isEnabled());

    // Closing the program: the editor's question about its library (none:
    // nothing edited there), then the configuration's.
    p.prompter.clearShown();
    p.prompter.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(p.form().closeQuery());
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{"Do you wish to save the changes?"});
    EXPECT_FALSE(p.editor().isVisible()) << "the editor closed first";
}

TEST(ScaleEditorProgram, ClosingTheProgramAsksAboutAnEditedLibrary)
{
    ScaleProgram p;
    ASSERT_TRUE(p.started);
    p.openEditor();
    auto* name = p.editor().findChild<QLineEdit*>("ShortNameEdit");
    name->selectAll();
    QTest::keyClicks(name, "Mine");
    p.prompter.queueAnswer(Answer::Cancel);
    EXPECT_FALSE(p.form().closeQuery());
    EXPECT_EQ(p.prompter.texts(),
              std::vector<std::string>{"Do you wish to save the changes to the scalefile \"\" ?"});
    EXPECT_TRUE(p.editor().isVisible());
}

TEST(ScaleEditorProgram, TheLastLibraryIsKeptInTheSettingsAtOnce)
{
    ScaleProgram p;
    ASSERT_TRUE(p.started);
    p.openEditor();
    const std::string saved = p.folders.path("mine.dat");
    p.prompter.queueText(saved);
    p.command("mnuSaveAs")->trigger();
    p.prompter.queueText(saved);
    p.command("mnuOpen")->trigger();
    QFile ini(p.folders.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains(QByteArray("LastScaleFile=") + QByteArray::fromStdString(saved)));

    // Opened again, the editor offers that library.
    p.editor().close();
    p.prompter.clearShown();
    p.prompter.queueAnswer(Answer::No);
    p.trigger("mnuQVScale");
    EXPECT_EQ(p.prompter.texts(),
              std::vector<std::string>{"Do you wish to reload the scalefile \"" + saved + "\" ?"});
}

} // namespace
