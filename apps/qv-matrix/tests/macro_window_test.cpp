// QV-Matrix's macros in the whole program against the simulated instrument
// on virtual time: the Macro menu's assignments and enabling, playing a
// macro from the menu, its shortcuts and hotkeys, from the command line,
// a hand-over or a drop, stopping it, and recording one.
#include "matrix/macro_runner.h"
#include "matrix/ui/label_edit_form.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

using qv::Answer;
using qv::test::kRemoteReadMs;
using qv::test::kUpdateQuestion;
using qv::test::Program;

constexpr char kConnectQuestion[] = "The RVT is not connected, do you wish to connect?";

// Four lines routing outputs 5 to 8 from inputs 3 to 6.
constexpr char kStudio[] = "MacroName=Studio\r\n.SA5,3\r\n.SA6,4\r\n.SA7,5\r\n.SA8,6\r\n";

std::string WriteMacro(Program& p, const char* name, const std::string& text)
{
    const std::string path = p.folders.path(name);
    QFile f(QString::fromStdString(path));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), qint64(text.size()));
    return path;
}

// Before the start: the settings file assigns the macro to item n.
void AssignInSettings(Program& p, int item, const std::string& path)
{
    QFile ini(p.folders.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write(QByteArray("[MacroFiles]\nFile#") + QByteArray::number(item % 10) + "=" + path.c_str() + "\n");
}

QByteArray Settings(const Program& p)
{
    QFile ini(p.folders.iniPath());
    return ini.open(QIODevice::ReadOnly) ? ini.readAll() : QByteArray();
}

QMenu& MacroMenu(Program& p)
{
    return *p.form().findChild<QMenu*>("mnuMacro");
}

// A click on an entry of the Macro menu, which sets its enabling as it opens.
void Choose(Program& p, const char* name)
{
    emit MacroMenu(p).aboutToShow();
    p.trigger(name);
}

QWidget* KeyTarget(Program& p)
{
    return QApplication::focusWidget() ? QApplication::focusWidget() : &p.form();
}

// The same with Shift or Delete held down.
void ChooseHolding(Program& p, const char* name, Qt::Key key)
{
    QWidget* target = KeyTarget(p);
    QTest::keyPress(target, key, key == Qt::Key_Shift ? Qt::ShiftModifier : Qt::NoModifier);
    Choose(p, name);
    QTest::keyRelease(target, key);
}

// Menu shortcuts need the window active.
void Activate(Program& p)
{
    p.form().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&p.form()));
}

struct MenuState {
    bool items, run, stop, save;
    bool operator==(const MenuState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const MenuState& s)
{
    return out << "items " << s.items << " run " << s.run << " stop " << s.stop << " save " << s.save;
}

MenuState Opened(Program& p)
{
    emit MacroMenu(p).aboutToShow();
    const bool items = p.form().macroAction(1)->isEnabled();
    for (int item = 2; item <= 10; ++item)
        EXPECT_EQ(p.form().macroAction(item)->isEnabled(), items) << "item " << item;
    return {items, p.form().action("mnuRunMacro")->isEnabled(), p.form().action("mnuStopMacro")->isEnabled(),
            p.form().action("mnuSaveMacro")->isEnabled()};
}

QString Status(Program& p)
{
    return p.form().field(qv::MainField::Message);
}

// Where a line first reached the instrument; -1 when it never did.
int SentAt(const Program& p, const std::string& line)
{
    const auto& lines = p.instrument.textLines();
    const auto at = std::find(lines.begin(), lines.end(), line);
    return at == lines.end() ? -1 : int(at - lines.begin());
}

int Count(const Program& p, const std::string& line)
{
    const auto& lines = p.instrument.textLines();
    return int(std::count(lines.begin(), lines.end(), line));
}

int LastList(const Program& p)
{
    const auto& lines = p.instrument.textLines();
    for (int k = int(lines.size()) - 1; k >= 0; --k)
        if (lines[size_t(k)].rfind(".LA", 0) == 0)
            return k;
    return -1;
}

// Outputs 5 to 8 routed by kStudio, at the instrument and in the grid.
void ExpectStudioRouting(Program& p, const char* when)
{
    for (int o = 5; o <= 8; ++o) {
        EXPECT_EQ(p.instrument.live().source(o), o - 2) << when << ": output " << o;
        EXPECT_EQ(p.grid().model().sourceOf(o - 1), o - 3) << when << ": output " << o;
    }
}

// A file dialog the user takes a while over.
struct SlowFileDialog : qv::ScriptedPrompter {
    std::function<void()> whileOpen;
    std::optional<std::string> openFile(const std::string& caption, const std::string& filter,
                                        const std::string& folder) override
    {
        if (whileOpen)
            whileOpen();
        return ScriptedPrompter::openFile(caption, filter, folder);
    }
};

} // namespace

TEST(MacroWindow, ItemsAreAssignedWithShiftAndUnassignedWithDelete)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    const std::string night = WriteMacro(p, "night.MCR", "macroname=Night\r\n.SA5,3\r\n");
    const std::string ten = WriteMacro(p, "ten.MCR", "MacroName=Ten\r\n");

    p.prompter.queueAnswer(Answer::Yes);
    p.prompter.queueText(night);
    ChooseHolding(p, "mnuMacro3", Qt::Key_Shift);
    EXPECT_EQ(p.prompter.texts(),
              (std::vector<std::string>{"Do you wish to assign a new macro to this item?", "Open Macro"}));
    EXPECT_EQ(p.form().macroAction(3)->text(), "Night");
    EXPECT_TRUE(Settings(p).contains(QByteArray("File#3=") + night.c_str() + "\n"));
    EXPECT_EQ(SentAt(p, ".SA5,3"), -1) << "assigning plays nothing";

    // An unassigned item offers to assign; item 10 is kept under File#0.
    p.prompter.queueAnswer(Answer::Yes);
    p.prompter.queueText(ten);
    Choose(p, "mnuMacro10");
    EXPECT_EQ(p.form().macroAction(10)->text(), "Ten");
    EXPECT_TRUE(Settings(p).contains(QByteArray("File#0=") + ten.c_str() + "\n"));

    p.prompter.clearShown();
    p.prompter.queueAnswer(Answer::Yes);
    ChooseHolding(p, "mnuMacro3", Qt::Key_Delete);
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{"Do you wish to unassign the macro from this item?"});
    EXPECT_EQ(p.form().macroAction(3)->text(), "<Unassigned>");
    EXPECT_TRUE(Settings(p).contains("File#3=\n"));

    // The settings written at close keep the assignments made meanwhile.
    ASSERT_TRUE(p.form().closeQuery());
    EXPECT_TRUE(Settings(p).contains(QByteArray("File#0=") + ten.c_str() + "\n"));
    EXPECT_TRUE(Settings(p).contains("File#3=\n"));
}

TEST(MacroWindow, AnItemChosenWhileConnectedPlays)
{
    struct Case {
        const char* name;
        std::function<void(Program&)> choose;
    };
    const Case cases[] = {
        {"menu", [](Program& p) { Choose(p, "mnuMacro2"); }},
        {"Ctrl+F2",
         [](Program& p) {
             Activate(p);
             QTest::keyClick(KeyTarget(p), Qt::Key_F2, Qt::ControlModifier);
         }},
        {"hotkey 2", [](Program& p) { emit p.app->macros().hotkeys().hotkeyPressed(2); }},
    };
    for (const Case& c : cases) {
        Program p;
        AssignInSettings(p, 2, WriteMacro(p, "studio.MCR", kStudio));
        ASSERT_TRUE(p.app->start());
        EXPECT_EQ(p.form().macroAction(2)->text(), "Studio") << c.name;
        ASSERT_TRUE(StartRemote(p)) << c.name;

        qv::TMacroProgressForm& window = p.app->macros().progressForm();
        QStringList seen; // the window's lines and the status while it plays
        p.pump.add([&] {
            for (const QString& text : {window.isVisible() ? window.nameLine() : QString(), Status(p)})
                if (!text.isEmpty() && !seen.contains(text))
                    seen << text;
        });
        c.choose(p);

        ExpectStudioRouting(p, c.name);
        EXPECT_EQ(seen.value(0), "QV-Matrix is executing the macro called: Studio") << c.name;
        EXPECT_EQ(seen.value(1), "Macro Started... [Studio]") << c.name;
        EXPECT_TRUE(seen.contains(".AA5,3")) << c.name;
        EXPECT_EQ(window.stopLine(), "Press CTRL+F12 to stop the Macro.") << c.name;
        EXPECT_FALSE(window.isVisible()) << c.name;
        EXPECT_EQ(Status(p), "Macro finished...") << c.name;
        EXPECT_TRUE(p.prompter.shown().empty()) << c.name;
        EXPECT_EQ(Opened(p), (MenuState{true, true, false, false})) << c.name;
    }
}

TEST(MacroWindow, AMacroWhileDisconnectedRunsAfterTheCrosspointRead)
{
    struct Case {
        const char* name;
        bool onCommandLine;
    };
    for (const Case& c : {Case{"menu item", false}, Case{"command line", true}}) {
        QTemporaryDir folder;
        const std::string path = folder.filePath("studio.MCR").toStdString();
        QFile f(QString::fromStdString(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(kStudio);
        f.close();

        Program p({}, c.onCommandLine ? QStringList{QString::fromStdString(path)} : QStringList{});
        AssignInSettings(p, 1, path);
        p.prompter.queueAnswer(Answer::Yes);
        ASSERT_TRUE(p.app->start()) << c.name;
        if (!c.onCommandLine)
            Choose(p, "mnuMacro1");

        EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{kConnectQuestion}) << c.name;
        EXPECT_EQ(p.form().pendingMacro().toStdString(), path) << c.name;
        EXPECT_EQ(Opened(p), (MenuState{false, false, true, false})) << c.name << ": a pending macro counts as running";
        p.idle(kRemoteReadMs);

        EXPECT_TRUE(p.form().pendingMacro().isEmpty()) << c.name;
        ExpectStudioRouting(p, c.name);
        EXPECT_GT(SentAt(p, ".SA5,3"), LastList(p)) << c.name << ": after the crosspoint read";
        EXPECT_EQ(Status(p), "Macro finished...") << c.name;
    }
}

// "Run Macro..." (here hotkey 11) connects first; the macro plays once the
// crosspoints are read, also when that happened while the dialog was open.
TEST(MacroWindow, RunMacroConnectsAndPlaysAfterTheCrosspointRead)
{
    for (const bool slowDialog : {false, true}) {
        SlowFileDialog dialogs;
        Program p({}, {}, &dialogs);
        if (slowDialog)
            dialogs.whileOpen = [&] { p.idle(kRemoteReadMs); };
        ASSERT_TRUE(p.app->start());
        dialogs.queueAnswer(Answer::Yes);
        dialogs.queueText(WriteMacro(p, "studio.MCR", kStudio));
        emit p.app->macros().hotkeys().hotkeyPressed(11);
        EXPECT_EQ(dialogs.texts(), (std::vector<std::string>{kConnectQuestion, "Open Macro"})) << slowDialog;
        p.idle(kRemoteReadMs);

        EXPECT_TRUE(p.form().pendingMacro().isEmpty()) << slowDialog;
        ExpectStudioRouting(p, slowDialog ? "slow dialog" : "quick dialog");
        EXPECT_GT(SentAt(p, ".SA5,3"), LastList(p)) << slowDialog;
        EXPECT_EQ(Status(p), "Macro finished...") << slowDialog;
    }
}

TEST(MacroWindow, StopMacroDropsAPendingMacro)
{
    Program p;
    AssignInSettings(p, 1, WriteMacro(p, "studio.MCR", kStudio));
    ASSERT_TRUE(p.app->start());
    p.prompter.queueAnswer(Answer::Yes);
    Choose(p, "mnuMacro1");
    ASSERT_FALSE(p.form().pendingMacro().isEmpty());
    Choose(p, "mnuStopMacro");
    EXPECT_TRUE(p.form().pendingMacro().isEmpty());
    p.idle(kRemoteReadMs);
    EXPECT_TRUE(p.app->remoteControl().connected());
    EXPECT_EQ(SentAt(p, ".SA5,3"), -1);
    EXPECT_EQ(Opened(p), (MenuState{true, true, false, false}));
}

TEST(MacroWindow, TheHelpKeyRestsWhileAnItemIsChosen)
{
    SlowFileDialog dialogs;
    Program p({}, {}, &dialogs);
    ASSERT_TRUE(p.app->start());
    Activate(p);
    dialogs.whileOpen = [&] { QTest::keyClick(KeyTarget(p), Qt::Key_F1); };
    dialogs.queueAnswer(Answer::Yes);
    Choose(p, "mnuMacro4"); // unassigned: the assign dialog opens
    EXPECT_TRUE(dialogs.helpTopics().empty());
    QTest::keyClick(KeyTarget(p), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpTopics(), std::vector<qv::HelpTopic>{qv::HelpTopic::Contents});
}

TEST(MacroWindow, AStopEndsTheMacroWithinOnePoll)
{
    struct Case {
        const char* name;
        std::function<void(Program&)> stop;
    };
    const Case cases[] = {
        {"Ctrl+F12", [](Program& p) { QTest::keyClick(KeyTarget(p), Qt::Key_F12, Qt::ControlModifier); }},
        {"Stop Macro", [](Program& p) { Choose(p, "mnuStopMacro"); }},
        {"hotkey 12", [](Program& p) { emit p.app->macros().hotkeys().hotkeyPressed(12); }},
    };
    for (const Case& c : cases) {
        Program p;
        AssignInSettings(p, 1, WriteMacro(p, "studio.MCR", kStudio));
        ASSERT_TRUE(p.app->start());
        ASSERT_TRUE(StartRemote(p)) << c.name;
        Activate(p);

        int64_t stoppedAt = -1;
        p.pump.add([&] {
            // While the second line waits for its answer.
            if (stoppedAt < 0 && SentAt(p, ".SA6,4") >= 0) {
                stoppedAt = p.clock.nowMs();
                c.stop(p);
            }
        });
        Choose(p, "mnuMacro1");

        ASSERT_GE(stoppedAt, 0) << c.name;
        EXPECT_LE(p.clock.nowMs() - stoppedAt, qv::MacroRunner::kPollMs) << c.name;
        EXPECT_EQ(Status(p), "Macro stopped by user...") << c.name;
        EXPECT_EQ(SentAt(p, ".SA7,5"), -1) << c.name;
        EXPECT_EQ(p.instrument.live().source(6), 4) << c.name << ": the line being played is done";
        EXPECT_FALSE(p.app->macros().progressForm().isVisible()) << c.name;
    }
}

TEST(MacroWindow, AFrontPanelChangeStopsTheMacroAndItsReloadFollows)
{
    Program p;
    AssignInSettings(p, 1, WriteMacro(p, "studio.MCR", kStudio));
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(StartRemote(p));
    const int lists = CrosspointLists(p);

    bool routed = false;
    p.pump.add([&] {
        if (!routed && SentAt(p, ".SA5,3") >= 0)
            routed = p.panel.route(9, 2);
    });
    p.prompter.queueAnswer(Answer::Yes);
    Choose(p, "mnuMacro1");

    EXPECT_EQ(Status(p), "Macro stopped by user...");
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{kUpdateQuestion});
    EXPECT_EQ(SentAt(p, ".SA7,5"), -1);
    EXPECT_EQ(SentAt(p, ".SA8,6"), -1);

    p.idle(kRemoteReadMs);
    EXPECT_EQ(CrosspointLists(p), lists + 10) << "the accepted reload";
    EXPECT_EQ(p.grid().model().sourceOf(8), 1);
    EXPECT_EQ(p.grid().model().sourceOf(4), 2);
}

// A preset report asks for a reload 100 ms later; it must not take the
// answers of the lines that follow.
TEST(MacroWindow, APresetLineLeavesTheFollowingLinesTheirAnswers)
{
    Program p;
    std::string text = "MacroName=Preset 2\r\n.SP9,2\r\n";
    for (int o = 1; o <= 16; ++o)
        text += ".SA" + std::to_string(o) + "," + std::to_string(17 - o) + "\r\n";
    AssignInSettings(p, 1, WriteMacro(p, "preset.MCR", text));
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(StartRemote(p));
    const int lists = CrosspointLists(p);

    Choose(p, "mnuMacro1");
    EXPECT_EQ(Status(p), "Macro finished...");
    for (int o = 1; o <= 16; ++o) {
        const std::string line = ".SA" + std::to_string(o) + "," + std::to_string(17 - o);
        EXPECT_EQ(Count(p, line), 1) << line << " answered at once";
        EXPECT_EQ(p.grid().model().sourceOf(o - 1), 16 - o) << "output " << o;
    }
    EXPECT_EQ(CrosspointLists(p), lists) << "not during the macro";

    p.idle(kRemoteReadMs);
    EXPECT_EQ(CrosspointLists(p), lists + 10) << "after it";
    EXPECT_EQ(p.presets().currentIndex(), 1);
    for (int o = 1; o <= 16; ++o)
        EXPECT_EQ(p.grid().model().sourceOf(o - 1), p.instrument.live().source(o) - 1) << "output " << o;
}

TEST(MacroWindow, SaveMacroRecordsTheSelectedOutputs)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    ASSERT_TRUE(StartRemote(p));
    for (int o : {5, 7})
        QTest::mouseClick(&p.grid(), Qt::LeftButton, Qt::ControlModifier, p.grid().outputLabelRect(o - 1).center());
    ASSERT_EQ(p.grid().selection().outputs(), (std::vector<int>{5, 7}));
    const int source5 = p.instrument.live().source(5);
    const int source7 = p.instrument.live().source(7);
    ASSERT_TRUE(source5 && source7);

    bool named = false;
    QTimer::singleShot(0, &p.form(), [&] {
        auto* dialog = p.form().findChild<qv::TLabelEditForm*>();
        ASSERT_TRUE(dialog && dialog->isVisible());
        auto* edit = dialog->findChild<QLineEdit*>("editLabel");
        EXPECT_EQ(dialog->windowTitle(), "Macro Name");
        EXPECT_EQ(dialog->findChild<QGroupBox*>("gbLabel")->title(), "Enter a name for the macro.");
        EXPECT_EQ(edit->text(), "");
        EXPECT_EQ(edit->maxLength(), 25);
        edit->setText("Evening");
        QTest::mouseClick(dialog->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        named = true;
    });
    p.prompter.queueText(p.folders.path("evening"));
    Choose(p, "mnuSaveMacro");

    EXPECT_TRUE(named);
    EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{"Save Macro"}) << "the save dialog alone";
    EXPECT_EQ(p.file(p.folders.path("evening.MCR")),
              QByteArray("MacroName=Evening\r\n.SA5,") + QByteArray::number(source5) + "\r\n.SA7," +
                  QByteArray::number(source7) + "\r\n");
}

TEST(MacroWindow, TheMenuIsEnabledByTheStateItOpensIn)
{
    {
        qv::sim::InstrumentOptions silent;
        silent.noAnswer = true;
        Program none(silent);
        ASSERT_TRUE(none.app->start());
        EXPECT_EQ(Opened(none), (MenuState{false, false, false, false})) << "no instrument to play to";
        // Offscreen there are no global hotkeys; the toggle says so.
        EXPECT_EQ(none.form().action("mnuGlobalHotkeys")->toolTip(), qv::MacroHotkeys::unavailableText());
    }

    Program p;
    AssignInSettings(p, 1, WriteMacro(p, "studio.MCR", kStudio));
    ASSERT_TRUE(p.app->start());
    EXPECT_EQ(Opened(p), (MenuState{true, true, false, false})) << "an instrument to connect to";
    ASSERT_TRUE(StartRemote(p));
    EXPECT_EQ(Opened(p), (MenuState{true, true, false, false})) << "no output selected";
    QTest::mouseClick(&p.grid(), Qt::LeftButton, Qt::ControlModifier, p.grid().outputLabelRect(2).center());
    EXPECT_EQ(Opened(p), (MenuState{true, true, false, true})) << "an output selected";

    std::optional<MenuState> playing;
    p.pump.add([&] {
        if (!playing && p.app->macros().runner().running())
            playing = Opened(p);
    });
    Choose(p, "mnuMacro1");
    EXPECT_EQ(playing, (MenuState{false, false, true, false}));
}

TEST(MacroWindow, AMacroFromOutsideRunsWhileConnected)
{
    struct Case {
        const char* name;
        std::function<void(Program&, const QString&)> give;
    };
    const Case cases[] = {
        {"hand-over",
         [](Program& p, const QString& path) {
             p.form().queueHandOver(path);
             EXPECT_TRUE(QTest::qWaitFor([&] { return Status(p) == "Macro finished..."; }, 5000));
             EXPECT_EQ(p.form().field(qv::MainField::File), "File executed from file explorer. (" + path + ")");
         }},
        {"dropped", [](Program& p, const QString& path) { p.form().dispatchDroppedFiles({path}); }},
    };
    for (const Case& c : cases) {
        Program p;
        ASSERT_TRUE(p.app->start());
        ASSERT_TRUE(StartRemote(p)) << c.name;
        c.give(p, QString::fromStdString(WriteMacro(p, "studio.MCR", kStudio)));
        ExpectStudioRouting(p, c.name);
        EXPECT_EQ(Status(p), "Macro finished...") << c.name;
        EXPECT_TRUE(p.prompter.shown().empty()) << c.name;
    }
}
