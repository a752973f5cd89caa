// Every entry QV-Matrix offers must do something: whatever its menus and
// popups hold now or later, an enabled entry needs something to take it.
#include "matrix/ui/forwarding_action.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <gtest/gtest.h>

namespace {

using qv::test::Program;

// The entries of a menu and of its submenus.
void Collect(const QList<QAction*>& actions, QList<QAction*>& out)
{
    for (QAction* a : actions) {
        out << a;
        if (a->menu())
            Collect(a->menu()->actions(), out);
    }
}

QString Name(const QAction* a)
{
    return a->objectName().isEmpty() ? a->text() : a->objectName();
}

// Names of the enabled entries that nothing would carry out when chosen:
// nothing connected to their triggered (or toggled) signal, or nothing
// receiving the signal they hand their command on as.
QStringList Idle(const QList<QAction*>& actions)
{
    QStringList idle;
    for (QAction* a : actions) {
        if (a->isSeparator() || a->menu() || !a->isEnabled() || qobject_cast<QWidgetAction*>(a))
            continue;
        const bool taken = qv::SignalReceived(a, QMetaMethod::fromSignal(&QAction::triggered)) ||
                           (a->isCheckable() && qv::SignalReceived(a, QMetaMethod::fromSignal(&QAction::toggled)));
        const auto* forwarding = qobject_cast<const qv::ForwardingAction*>(a);
        if (!taken || (forwarding && !qv::SignalReceived(forwarding->window(), forwarding->signal())))
            idle << Name(a);
    }
    return idle;
}

std::string IdleMainEntries(Program& p)
{
    p.form().refreshMacroMenu(); // as when the Macro menu opens
    QList<QAction*> entries;
    Collect(p.form().menuBar()->actions(), entries);
    Collect(p.form().findChild<QToolBar*>("ToolBar")->actions(), entries);
    // The diagnostic buttons of debug mode.
    for (const QToolButton* button : p.form().statusBar()->findChildren<QToolButton*>())
        if (button->defaultAction())
            entries << button->defaultAction();
    return Idle(entries).join(", ").toStdString();
}

// Names of the enabled and visible entries.
QStringList Offered(const QList<QAction*>& entries)
{
    QStringList names;
    for (QAction* a : entries)
        if (a->isEnabled() && a->isVisible() && !a->isSeparator())
            names << Name(a);
    return names;
}

// Which of the names are not among the offered ones.
std::string Missing(const QStringList& offered, const QStringList& names)
{
    QStringList missing;
    for (const QString& name : names)
        if (!offered.contains(name))
            missing << name;
    return missing.join(", ").toStdString();
}

QStringList OfferedInMain(Program& p)
{
    QList<QAction*> entries;
    Collect(p.form().menuBar()->actions(), entries);
    Collect(p.form().findChild<QToolBar*>("ToolBar")->actions(), entries);
    return Offered(entries);
}

// Opens the three popups on cells and labels that between them make every
// entry's rule true somewhere; the idle entries of each, by popup. offered
// gets every entry enabled somewhere.
std::string IdlePopupEntries(Program& p, QStringList* offered = nullptr)
{
    QStringList idle;
    qv::MatrixGrid& grid = p.grid();
    grid.setPopupRunner([&](QMenu& menu, const QPoint&) {
        QList<QAction*> entries;
        Collect(menu.actions(), entries);
        for (const QString& name : Idle(entries))
            idle << menu.objectName() + "/" + name;
        if (offered)
            *offered << Offered(entries);
        return nullptr;
    });
    const auto rightClick = [&](const QRect& at) { QTest::mouseClick(&grid, Qt::RightButton, {}, at.center()); };
    for (int output : {36, 57, 70}) {
        grid.setGridPos(30, output - 5);
        rightClick(grid.cellRect(59, output - 1)); // input 60, a PPM input
        rightClick(grid.cellRect(54, output - 1)); // input 55, the SUM input
        rightClick(grid.outputLabelRect(output - 1));
    }
    grid.setGridPos(50, 0);
    rightClick(grid.inputLabelRect(54));
    rightClick(grid.inputLabelRect(59));
    idle.removeDuplicates();
    return idle.join(", ").toStdString();
}

TEST(MenuEntries, NoEnabledEntryIsWithoutEffect)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    // Debug mode, with all it reveals.
    p.app->debugMode().set(true);
    p.form().setMousePadVisible(true);
    EXPECT_EQ(IdleMainEntries(p), "") << "identified";

    p.trigger("mnuUpload");
    ASSERT_TRUE(p.grid().imageShown());
    EXPECT_EQ(IdleMainEntries(p), "") << "an image uploaded";
    QStringList popups;
    EXPECT_EQ(IdlePopupEntries(p, &popups), "") << "an image uploaded";
    // The option dialogs' and the scale editor's entries are among those checked.
    EXPECT_EQ(Missing(OfferedInMain(p), {"mnuPresetOptions", "mnuLCDOptions", "mnuLeqOptions", "mnuScaleOptions",
                                         "mnuLockCode", "mnuQVScale", "mnuScreenGrab", "mnuInstallSoftware"}),
              "");
    EXPECT_EQ(Missing(popups, {"mnuPPM", "mnuPhase", "mnuSetGain", "mnuGroupGainMaster", "mnuGroupGainSecond"}), "");

    p.prompter.queueAnswer(qv::Answer::No); // the uploaded image's changes
    p.trigger("mnuConnect");
    p.idle(2000);
    ASSERT_TRUE(p.app->remoteControl().connected());
    EXPECT_EQ(IdleMainEntries(p), "") << "remote control";
    popups.clear();
    EXPECT_EQ(IdlePopupEntries(p, &popups), "") << "remote control";
    EXPECT_EQ(Missing(OfferedInMain(p), {"mnuPresetOptions", "actTheme", "mnuScreenGrab"}), "");
    EXPECT_EQ(Missing(popups, {"mnuPPM", "mnuPhase", "mnuSetGain"}), "");
}

} // namespace
