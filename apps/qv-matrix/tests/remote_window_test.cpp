// QV-Matrix in remote control against the simulated instrument on virtual
// time: connecting, live edits, the instrument's reports and notices, and
// the ways out of remote control, driven through the main window.
#include "matrix/dot_commands.h"
#include "matrix/ui/label_edit_form.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"
#include "sim/routing.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using qv::Answer;
using qv::test::kDisconnectQuestion;
using qv::test::kRemoteReadMs;
using qv::test::kUpdateQuestion;
using qv::test::Program;

constexpr char kPowerUpQuestion[] = "The connected RVT has been restarted, do you wish to reload the X-Points?";

bool Connect(Program& p)
{
    return StartRemote(p) && !p.grid().isHidden();
}

bool Sent(const Program& p, const std::string& line)
{
    const auto& lines = p.instrument.textLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A key as the focused control of the active main window gets it; menu
// shortcuts need the window active.
void PressKey(Program& p, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    p.form().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&p.form()));
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &p.form(), key, modifiers);
}

QToolButton& RemoteButton(Program& p)
{
    return *p.form().findChild<QToolButton*>("btnRemote");
}

// The grid shows exactly the instrument's routing, each with the icon given.
void ExpectInstrumentRouting(Program& p, int icon, const char* when)
{
    for (int o = 1; o <= 96; ++o) {
        const int input = p.instrument.live().source(o);
        ASSERT_EQ(p.grid().model().sourceOf(o - 1), input - 1) << when << ": output " << o;
        if (input) {
            EXPECT_EQ(p.grid().model().cell(input - 1, o - 1), icon) << when << ": output " << o;
        }
    }
}

} // namespace

TEST(RemoteWindow, ConnectShowsTheInstrumentsRoutingAndFollowsItsPreset)
{
    Program p;
    // Preset 4 routes output 10 its own way.
    p.instrument.poke(qv::sim::routingByteAddress(4, 10), {uint8_t(20 - 1)});
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(Connect(p));
    EXPECT_TRUE(p.prompter.shown().empty());
    // The option entries have no dialogs yet; let go, they follow the rules.
    p.form().findChild<QActionGroup*>("NotBuiltYet")->setEnabled(true);
    ExpectInstrumentRouting(p, p.grid().settings().remoteXpoint, "connected");
    EXPECT_EQ(p.presets().count(), 11);
    EXPECT_EQ(p.presets().currentIndex(), 0);

    // The remote state of the window.
    EXPECT_TRUE(RemoteButton(p).isChecked());
    EXPECT_TRUE(p.form().action("mnuConnect")->isChecked());
    EXPECT_TRUE(p.form().action("mnuDisconnect")->isEnabled());
    for (const char* name : {"mnuSave", "mnuSaveAs", "mnuUpload", "mnuDownload", "mnuLCDOptions", "mnuLockCode",
                             "mnuCopyLabels", "mnuCopyXPoints", "mnuPasteLabels", "mnuPasteXPoints"})
        EXPECT_FALSE(p.form().action(name)->isEnabled()) << name;
    EXPECT_TRUE(p.form().action("mnuPresetOptions")->isEnabled());
    EXPECT_FALSE(p.form().findChild<QSlider*>("BacklightTrackBar")->isEnabled());
    EXPECT_TRUE(p.form().isEnabled());
    const QStringList log = p.app->dotLog().lines();
    EXPECT_TRUE(log.contains("Tx: .LP9,-") && log.contains("Rx: .AP9,1") && log.contains("Tx: .LA91,-*"));

    // A preset chosen at the instrument: the drop-down and the grid follow.
    ASSERT_TRUE(p.panel.selectPreset(4));
    p.idle(kRemoteReadMs);
    EXPECT_EQ(p.presets().currentIndex(), 3);
    EXPECT_EQ(p.image().selectedPreset(), 3);
    EXPECT_EQ(p.grid().model().sourceOf(9), 19);
    ExpectInstrumentRouting(p, p.grid().settings().remoteXpoint, "preset 4");
}

TEST(RemoteWindow, LiveCommandsGoToTheInstrument)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(Connect(p));
    const auto image = p.image().bytes();

    // A crosspoint changes in the grid only when the instrument reports it.
    p.doubleClickCell(4, 11);
    EXPECT_NE(p.grid().model().sourceOf(11), 4);
    p.idle(200);
    EXPECT_TRUE(Sent(p, ".SA12,5*"));
    EXPECT_EQ(p.instrument.live().source(12), 5);
    EXPECT_EQ(p.grid().model().sourceOf(11), 4);
    EXPECT_EQ(p.grid().model().cell(4, 11), p.grid().settings().remoteXpoint);
    EXPECT_EQ(p.form().field(qv::MainField::Message), ".AA12,5");
    EXPECT_EQ(p.image().bytes(), image) << "the image is not edited";

    // The drop-down selects the instrument's preset, which reloads.
    const int lists = CrosspointLists(p);
    p.choosePreset(2);
    p.idle(kRemoteReadMs);
    EXPECT_TRUE(Sent(p, ".SP9,2"));
    EXPECT_EQ(p.instrument.live().preset, 2);
    EXPECT_EQ(CrosspointLists(p), lists + 10);
    EXPECT_EQ(p.presets().currentIndex(), 1);
    EXPECT_TRUE(p.presets().isEnabled());

    // Shift+F3 sets parameter 1 and pauses.
    const int64_t before = p.clock.nowMs();
    PressKey(p, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(p.instrument.textLines().back(), ".SP1,3");
    EXPECT_GE(p.clock.nowMs() - before, 250);
    EXPECT_EQ(p.instrument.live().parameter1, 3);
}

TEST(RemoteWindow, ARefusalFlashesTheCell)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(Connect(p));
    bool flashed = false;
    p.pump.add([&] { flashed |= p.grid().flashing(); });
    const int source = p.grid().model().sourceOf(62);
    // A command the instrument refuses, as a macro line may send it.
    p.app->remoteControl().send(qv::DotSetCrosspoint(63, 1));
    p.idle(500);
    EXPECT_TRUE(flashed);
    EXPECT_FALSE(p.grid().flashing());
    EXPECT_EQ(p.grid().model().sourceOf(62), source);
    EXPECT_EQ(p.form().field(qv::MainField::Message), ".FA63,1");
}

TEST(RemoteWindow, AFrontPanelChangeArrivesLocallyAndOffersAReload)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(Connect(p));
    const int local = p.grid().settings().localXpoint;
    const int lists = CrosspointLists(p);

    p.prompter.queueAnswer(Answer::No);
    ASSERT_TRUE(p.panel.route(7, 3));
    p.idle(kRemoteReadMs);
    EXPECT_EQ(p.grid().model().cell(2, 6), local);
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{kUpdateQuestion});
    EXPECT_EQ(CrosspointLists(p), lists) << "declined";

    p.prompter.queueAnswer(Answer::Yes);
    ASSERT_TRUE(p.panel.route(8, 4));
    p.idle(kRemoteReadMs);
    EXPECT_EQ(p.prompter.count(kUpdateQuestion), 2);
    EXPECT_EQ(CrosspointLists(p), lists + 10);
    ExpectInstrumentRouting(p, p.grid().settings().remoteXpoint, "reloaded");

    // Once a reload was accepted, later notices of the connection only clear.
    ASSERT_TRUE(p.panel.route(9, 5));
    p.idle(kRemoteReadMs);
    EXPECT_EQ(p.prompter.count(kUpdateQuestion), 2);
    EXPECT_EQ(CrosspointLists(p), lists + 10);
    EXPECT_EQ(p.grid().model().cell(4, 8), local);
}

TEST(RemoteWindow, APowerUpOffersAReload)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(Connect(p));
    const int lists = CrosspointLists(p);
    p.prompter.queueAnswer(Answer::Yes);
    p.panel.powerCycle();
    p.idle(p.instrument.options().bootMs + kRemoteReadMs);
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{kPowerUpQuestion});
    EXPECT_EQ(CrosspointLists(p), lists + 10);
    EXPECT_TRUE(p.app->remoteControl().connected());
}

TEST(RemoteWindow, LeavingRemoteControlAsksFirst)
{
    struct Case {
        const char* name;
        std::function<void(Program&)> leave;
        Answer answer;
        bool restarts = false;
    };
    const Case cases[] = {
        {"Esc, No", [](Program& p) { PressKey(p, Qt::Key_Escape); }, Answer::No},
        {"Disconnect, Yes", [](Program& p) { p.trigger("mnuDisconnect"); }, Answer::Yes},
        {"remote button, No", [](Program& p) { RemoteButton(p).click(); }, Answer::No},
        {"remote button, Yes", [](Program& p) { RemoteButton(p).click(); }, Answer::Yes},
        {"Open, Yes", [](Program& p) { p.trigger("mnuOpen"); }, Answer::Yes},
        {"Restart, Yes", [](Program& p) { p.trigger("mnuRestart"); }, Answer::Yes, true},
    };
    for (const auto& c : cases) {
        Program p;
        ASSERT_TRUE(p.app->start());
        ASSERT_TRUE(Connect(p)) << c.name;
        const int restarts = p.instrument.restartCount();
        p.prompter.queueAnswer(c.answer);
        c.leave(p);
        ASSERT_FALSE(p.prompter.texts().empty()) << c.name;
        EXPECT_EQ(p.prompter.texts().front(), kDisconnectQuestion) << c.name;
        const bool stays = c.answer == Answer::No;
        EXPECT_EQ(p.app->remoteControl().connected(), stays) << c.name;
        EXPECT_EQ(RemoteButton(p).isChecked(), stays) << c.name;
        EXPECT_EQ(p.grid().isHidden(), !stays) << c.name;
        EXPECT_TRUE(p.form().isEnabled()) << c.name;
        EXPECT_EQ(p.instrument.restartCount() > restarts, c.restarts) << c.name;
        if (stays)
            continue;
        EXPECT_EQ(p.presets().count(), 0) << c.name;
        EXPECT_TRUE(p.form().action("mnuConnect")->isEnabled()) << c.name;
        EXPECT_TRUE(p.form().action("mnuUpload")->isEnabled()) << c.name;
        EXPECT_FALSE(p.form().action("mnuSave")->isEnabled()) << c.name;
        EXPECT_FALSE(p.image().modified()) << c.name;
    }
}

TEST(RemoteWindow, ConnectingWithChangesAsksToSaveThem)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuUpload");
    p.doubleClickCell(3, 2);
    p.prompter.clearShown();
    p.prompter.queueAnswer(Answer::Cancel);
    RemoteButton(p).click();
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{"Do you wish to save the changes?"});
    EXPECT_FALSE(p.app->remoteControl().connected());
    EXPECT_FALSE(RemoteButton(p).isChecked());
    EXPECT_EQ(p.grid().model().sourceOf(2), 3) << "the edited image stays";

    p.prompter.queueAnswer(Answer::No);
    PressKey(p, Qt::Key_Escape, Qt::ShiftModifier);
    p.idle(kRemoteReadMs);
    EXPECT_TRUE(p.app->remoteControl().connected());
    EXPECT_EQ(p.prompter.count("Do you wish to save the changes?"), 2);
}

TEST(RemoteWindow, TheRemoteButtonWithoutAnAnswerLeavesItDisconnected)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.instrument.options().noAnswer = true;
    RemoteButton(p).click();
    p.idle(kRemoteReadMs);
    EXPECT_FALSE(p.app->remoteControl().connected());
    EXPECT_FALSE(RemoteButton(p).isChecked());
    EXPECT_TRUE(p.form().action("mnuConnect")->isEnabled());
    EXPECT_FALSE(p.form().action("mnuConnect")->isChecked());
    EXPECT_TRUE(p.form().isEnabled());
    EXPECT_TRUE(p.prompter.shown().empty()) << "silently";
}

TEST(RemoteWindow, TheLabelPopupShowsTheLiveGainAndARenameWritesTheInstrument)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(Connect(p));
    const std::string old = p.grid().model().outputLabel(2);
    auto* wait = p.form().findChild<qv::TWaitForm*>("WaitForm");
    QStringList waitTexts;
    p.pump.add([&] {
        if (wait->isVisible() && !waitTexts.contains(wait->text()))
            waitTexts << wait->text();
    });
    p.app->remoteControl().send(qv::DotSetGain(3, -35));
    p.idle(100);
    QString gainCaption;
    p.grid().setPopupRunner([&](QMenu& menu, const QPoint&) {
        gainCaption = menu.findChild<QAction*>("mnuSetGain")->text();
        QAction* rename = menu.findChild<QAction*>("mnuRename");
        rename->trigger();
        return rename;
    });
    p.grid().setDialogRunner([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>("editLabel")->setText("MON");
        dialog.show();
        QTest::mouseClick(dialog.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(&p.grid(), Qt::RightButton, {}, p.grid().outputLabelRect(2).center());
    p.idle(100);

    const uint32_t address = qv::kImageBaseAddress + qv::OutputLabelBaseAdr + 8;
    EXPECT_EQ(p.instrument.peek(address, 4), (std::vector<uint8_t>{'O', 'M', ' ', 'N'}));
    EXPECT_EQ(gainCaption, "Set Gain... [-3,5 dB]") << "the instrument's gain";
    EXPECT_EQ(p.image().outputLabel(3), "MON ");
    EXPECT_EQ(p.grid().model().outputLabel(2), "MON ");
    EXPECT_EQ(p.instrument.textLines().back(), ".SP15,22");
    EXPECT_EQ(waitTexts, QStringList{QString::fromStdString("Modifying Output Label #3 - " + old)});
    EXPECT_TRUE(p.prompter.shown().empty());
    EXPECT_FALSE(p.form().action("mnuSaveAs")->isEnabled()) << "nothing to save during remote control";
}
