#include "matrix/channel_options.h"
#include "matrix/tests/channel_names.h"
#include "matrix/tests/grid_test_image.h"
#include "matrix/ui/crosspoint_icons.h"
#include "matrix/ui/grid_cursors.h"
#include "matrix/ui/label_edit_form.h"
#include "matrix/ui/matrix_grid.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace qv {
namespace {

struct Entry {
    QString text;
    bool enabled = false;
    bool checked = false;
};

// Every action of a popup and its submenus by object name.
std::map<QString, Entry> Entries(QMenu& menu)
{
    std::map<QString, Entry> out;
    for (QAction* a : menu.actions()) {
        if (a->isSeparator())
            continue;
        out[a->objectName()] = {a->text(), a->isEnabled(), a->isChecked()};
        if (a->menu())
            for (const auto& [name, e] : Entries(*a->menu()))
                out[name] = e;
    }
    return out;
}

QAction* FindAction(QMenu& menu, const QString& name)
{
    for (QAction* a : menu.findChildren<QAction*>())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

class MatrixGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(656, 487);
        grid.rebuild();
        grid.showImage(true);
        grid.setCommandSender([this](const std::string& s) { sent.push_back(s); });
        // The option dialogs, which the grid's entries hand their commands to.
        QObject::connect(&grid, &MatrixGrid::ppmOptionsRequested, [] {});
        QObject::connect(&grid, &MatrixGrid::phaseOptionsRequested, [] {});
        QObject::connect(&grid, &MatrixGrid::gainRequested, [] {});
        QObject::connect(&grid, &MatrixGrid::groupGainRequested, [] {});
    }

    QPoint cell(int i, int o) { return grid.cellRect(i, o).center(); }
    QPoint inputLabel(int n) { return grid.inputLabelRect(n - 1).center(); }
    QPoint outputLabel(int n) { return grid.outputLabelRect(n - 1).center(); }
    QRgb pixel(const QPoint& at) { return grid.grab().toImage().pixel(at); }

    // The next popup is answered by `answer`, which sees the open menu.
    void onPopup(std::function<QAction*(QMenu&)> answer)
    {
        grid.setPopupRunner([this, answer](QMenu& menu, const QPoint&) {
            ++popups;
            lastMenu = menu.objectName();
            entries = Entries(menu);
            QAction* chosen = answer(menu);
            if (chosen)
                chosen->trigger();
            return chosen;
        });
    }

    ConfigImage image = test::GridTestImage(0x0530);
    ScriptedPrompter prompter;
    VirtualClock clock;
    CallbackEventPump pump;
    MatrixGrid grid{image, prompter, clock, pump};
    std::vector<std::string> sent;
    int popups = 0;
    QString lastMenu;
    std::map<QString, Entry> entries;
};

TEST_F(MatrixGridTest, DoubleClickSetsACrosspoint)
{
    QSignalSpy modified(&grid, &MatrixGrid::imageModified);
    QTest::mouseClick(&grid, Qt::LeftButton, {}, cell(4, 11));
    EXPECT_EQ(image.source(0, 11), 0) << "a single click does nothing by default";

    QTest::mouseDClick(&grid, Qt::LeftButton, {}, cell(4, 11));
    EXPECT_EQ(image.byte(RoutingBlock(0) + 0x0A), 4);
    EXPECT_EQ(grid.model().cell(4, 11), grid.settings().xpointFromFile);
    EXPECT_TRUE(grid.model().isEmpty(0, 11));
    EXPECT_TRUE(image.modified());
    EXPECT_EQ(modified.count(), 1);
    EXPECT_TRUE(sent.empty());
}

TEST_F(MatrixGridTest, SingleClickSettingSendsOneCommandPerClick)
{
    GridSettings s;
    s.doubleClick = false;
    grid.setSettings(s);
    grid.setRemoteState(true, 0x0530, true);
    // A double click is a click and then the double-click event.
    QTest::mouseClick(&grid, Qt::LeftButton, {}, cell(4, 11));
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, cell(4, 11));
    EXPECT_EQ(sent, std::vector<std::string>{".SA12,5*\r"});
    EXPECT_EQ(image.source(0, 11), 0) << "remote control waits for the report";

    grid.applyCrosspointReport(12, 5, true);
    EXPECT_EQ(grid.model().cell(4, 11), s.remoteXpoint);
}

TEST_F(MatrixGridTest, IllegalClickFlashesAndChangesNothing)
{
    grid.setGridPos(0, 50);
    const QPoint at = grid.cellRect(9, 62).topLeft(); // input 10, output 63
    ASSERT_FALSE(at.isNull());
    const QRgb illegal = pixel(at);
    std::vector<QRgb> during;
    pump.add([&] { during.push_back(pixel(at)); });
    QSignalSpy modified(&grid, &MatrixGrid::imageModified);
    const auto bytes = image.bytes();

    QTest::mouseDClick(&grid, Qt::LeftButton, {}, at + QPoint(8, 8));

    EXPECT_EQ(clock.nowMs(), 260);
    ASSERT_EQ(during.size(), 26u);
    const QRgb trace = QColor(0x33, 0x99, 0xFF).rgb();
    EXPECT_EQ(during.front(), trace);
    EXPECT_EQ(during.back(), trace);
    EXPECT_FALSE(grid.flashing());
    EXPECT_EQ(pixel(at), illegal) << "the cell gets its own icon back";
    EXPECT_EQ(image.bytes(), bytes);
    EXPECT_FALSE(image.modified());
    EXPECT_EQ(modified.count(), 0);

    // Nothing flashes while a macro is pending.
    grid.setMacroPending(true);
    QTest::mouseDClick(&grid, Qt::LeftButton, {}, at + QPoint(8, 8));
    EXPECT_EQ(clock.nowMs(), 260);
}

TEST_F(MatrixGridTest, LockedRowFlashesAndSendsNothing)
{
    grid.setRemoteState(true, 0x0530, true);
    grid.applyCrosspointReport(3, 7, true);
    onPopup([](QMenu& m) { return FindAction(m, QStringLiteral("mnuLock")); });
    QSignalSpy locks(&grid, &MatrixGrid::locksChanged);
    QTest::mouseClick(&grid, Qt::RightButton, {}, outputLabel(3));
    ASSERT_EQ(locks.count(), 1);
    EXPECT_EQ(grid.model().cell(6, 2), grid.settings().lockedXpoint);
    EXPECT_FALSE(grid.selection().isSelected(Out(3)));

    QTest::mouseDClick(&grid, Qt::LeftButton, {}, cell(1, 2));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(clock.nowMs(), 260);

    grid.flashCrosspoint(7, 3); // a refusal report
    EXPECT_EQ(clock.nowMs(), 520);
}

TEST_F(MatrixGridTest, LabelClicksSelectWithPpmPartners)
{
    grid.setGridPos(50, 60);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ControlModifier, inputLabel(60));
    EXPECT_TRUE(grid.selection().isSelected(In(60)));
    EXPECT_TRUE(grid.selection().isSelected(Out(68)));

    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, outputLabel(62));
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ShiftModifier, outputLabel(66));
    EXPECT_EQ(grid.selection().outputs(), (std::vector<int>{62, 63, 64, 65, 66, 68}));
    EXPECT_EQ(grid.selection().inputs(), (std::vector<int>{57, 58, 60}));

    QTest::mousePress(&grid, Qt::LeftButton, {}, cell(55, 70));
    EXPECT_TRUE(grid.selection().empty()) << "a press in the grid clears the labels";

    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ControlModifier, outputLabel(61));
    QTest::mouseClick(&grid, Qt::LeftButton, {}, inputLabel(51));
    EXPECT_TRUE(grid.selection().empty());
}

TEST_F(MatrixGridTest, RightClickOpensThePopupWithTheRightEntriesEnabled)
{
    // Output label 33 of a 5.30 image, offline.
    bool selectedDuringPopup = false;
    onPopup([&](QMenu&) {
        selectedDuringPopup = grid.selection().isSelected(Out(33));
        return nullptr;
    });
    grid.setGridPos(0, 20);
    QTest::mouseClick(&grid, Qt::RightButton, {}, outputLabel(33));
    EXPECT_EQ(lastMenu, QStringLiteral("pmOutputLabel"));
    EXPECT_TRUE(selectedDuringPopup);
    EXPECT_FALSE(grid.selection().isSelected(Out(33))) << "back to its earlier state";
    EXPECT_EQ(entries[QStringLiteral("mnuHeadline")].text, QStringLiteral("#33 [ O33  ]"));
    EXPECT_FALSE(entries[QStringLiteral("mnuHeadline")].enabled);
    EXPECT_TRUE(entries[QStringLiteral("mnuRename")].enabled);
    EXPECT_FALSE(entries[QStringLiteral("mnuPPM")].enabled);
    EXPECT_FALSE(entries[QStringLiteral("mnuPhase")].enabled);
    EXPECT_TRUE(entries[QStringLiteral("mnuSetGroup")].enabled);
    EXPECT_TRUE(entries[QStringLiteral("mnuGroupNone")].checked);
    EXPECT_EQ(entries[QStringLiteral("mnuGroupSecond")].text, QStringLiteral("Analogue"));
    EXPECT_TRUE(entries[QStringLiteral("mnuSetGroupGain")].enabled);
    EXPECT_EQ(entries[QStringLiteral("mnuSetGain")].text, QStringLiteral("Set Gain..."));
    EXPECT_TRUE(entries[QStringLiteral("mnuSetGain")].enabled);
    EXPECT_FALSE(entries[QStringLiteral("mnuLock")].enabled);

    // Input label 55 carries SUM; its ticks show the stored setting.
    ASSERT_TRUE(SetSum(image, SumSetting::Minus3dB));
    grid.setGridPos(40, 0);
    QTest::mouseClick(&grid, Qt::RightButton, {}, inputLabel(55));
    EXPECT_EQ(lastMenu, QStringLiteral("pmInputLabel"));
    EXPECT_TRUE(entries[QStringLiteral("mnuSum")].enabled);
    EXPECT_EQ(entries[QStringLiteral("mnuSumMinus3")].text, QStringLiteral("- 3 dB"));
    EXPECT_TRUE(entries[QStringLiteral("mnuSumMinus3")].checked);
    EXPECT_EQ(entries[QStringLiteral("mnuSumPlus0")].text, QStringLiteral("+ 0 dB"));
    EXPECT_FALSE(entries[QStringLiteral("mnuPPM")].enabled);

    // A cell during remote control of a 5.07 instrument, with its live gain.
    grid.setRemoteState(true, 0x0507, true);
    grid.setLiveGainQuery([](int output) { return output == 58 ? -35 : 0; });
    grid.setGridPos(40, 40);
    QTest::mouseClick(&grid, Qt::RightButton, {}, cell(59, 57)); // input 60, output 58
    EXPECT_EQ(lastMenu, QStringLiteral("pmMatrix"));
    EXPECT_EQ(entries[QStringLiteral("mnuInputHeadline")].text, QStringLiteral("#60 [ I60  ]"));
    EXPECT_EQ(entries[QStringLiteral("mnuOutputHeadline")].text, QStringLiteral("#58 [ O58  ]"));
    EXPECT_TRUE(entries[QStringLiteral("mnuInputRename")].enabled);
    EXPECT_TRUE(entries[QStringLiteral("mnuOutputRename")].enabled);
    EXPECT_FALSE(entries[QStringLiteral("mnuSum")].enabled);
    EXPECT_EQ(entries[QStringLiteral("mnuPhase")].text, QStringLiteral("Phase options..."));
    EXPECT_TRUE(entries[QStringLiteral("mnuPhase")].enabled);
    EXPECT_FALSE(entries[QStringLiteral("mnuSetGroup")].enabled);
    EXPECT_EQ(entries[QStringLiteral("mnuSetGain")].text, QStringLiteral("Set Output Gain [-3,5 dB]"));
    EXPECT_TRUE(entries[QStringLiteral("mnuSetGain")].enabled);
    EXPECT_EQ(entries[QStringLiteral("mnuPPM")].text, QStringLiteral("PPM Options"));
    EXPECT_FALSE(entries[QStringLiteral("mnuPPM")].enabled) << "PPM options need 5.10";
    EXPECT_TRUE(entries[QStringLiteral("mnuLock")].enabled);
    EXPECT_EQ(popups, 3);
}

TEST_F(MatrixGridTest, PopupCommandsReachTheirHooks)
{
    grid.setGridPos(30, 20);
    QSignalSpy ppm(&grid, &MatrixGrid::ppmOptionsRequested);
    QSignalSpy gain(&grid, &MatrixGrid::gainRequested);
    QSignalSpy groupGain(&grid, &MatrixGrid::groupGainRequested);
    QSignalSpy modified(&grid, &MatrixGrid::imageModified);
    image.setWord(image.addressTable().OutputGainBaseAdr + 2 * 3, uint16_t(-120)); // output 36
    image.setWord(image.addressTable().GroupGainDigitalAdr, 45);

    auto choose = [this](const char* name) {
        onPopup([name](QMenu& m) { return FindAction(m, QLatin1String(name)); });
    };
    choose("mnuPPM");
    QTest::mouseClick(&grid, Qt::RightButton, {}, cell(59, 35)); // input 60, output 36
    ASSERT_EQ(ppm.count(), 1);
    EXPECT_EQ(ppm[0][0].toInt(), 3) << "the clicked input is the reference";
    EXPECT_EQ(ppm[0][1].value<QList<int>>(), QList<int>{3}) << "the PPM inputs";
    EXPECT_EQ(ppm[0][2].value<QList<int>>(), QList<int>{}) << "output 36 is no PPM output";

    choose("mnuSetGain");
    QTest::mouseClick(&grid, Qt::RightButton, {}, cell(40, 35));
    ASSERT_EQ(gain.count(), 1);
    EXPECT_EQ(entries[QStringLiteral("mnuSetGain")].text, QStringLiteral("Set Output Gain [-12,0 dB]"));
    EXPECT_EQ(gain[0][0].toInt(), 36);
    EXPECT_EQ(gain[0][1].toInt(), -120);

    choose("mnuGroupGainSecond");
    QTest::mouseClick(&grid, Qt::RightButton, {}, cell(40, 35));
    EXPECT_EQ(entries[QStringLiteral("mnuGroupGainSecond")].text, QStringLiteral("Digital"));
    ASSERT_EQ(groupGain.count(), 1);
    EXPECT_EQ(groupGain[0][0].toInt(), int(GroupDigital));
    EXPECT_EQ(groupGain[0][1].toInt(), 45);
    EXPECT_EQ(groupGain[0][2].value<QList<int>>(), QList<int>{36}) << "the clicked cell's output counts as selected";

    choose("mnuGroupSecond");
    QTest::mouseClick(&grid, Qt::RightButton, {}, cell(40, 35));
    EXPECT_EQ(GroupOf(image, 36), GroupDigital);
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(MatrixGridTest, EntriesOfDialogsNothingTakesAreNotOffered)
{
    MatrixGrid bare{image, prompter, clock, pump};
    bare.resize(656, 487);
    bare.rebuild();
    bare.showImage(true);
    bare.setGridPos(30, 20);
    QSignalSpy modified(&bare, &MatrixGrid::imageModified);
    std::vector<std::map<QString, Entry>> shown;
    std::map<QString, QString> tips;
    bare.setPopupRunner([&](QMenu& menu, const QPoint&) {
        shown.push_back(Entries(menu));
        for (QAction* a : menu.findChildren<QAction*>())
            if (!a->toolTip().isEmpty() && a->toolTip() != a->text())
                tips[a->objectName()] = a->toolTip();
        QAction* chosen = FindAction(menu, QStringLiteral("mnuSetGain"));
        chosen->trigger();
        return chosen;
    });
    // Offline, input 60 with output 36 (a group output) and with output 57
    // (a phase output) would offer every option entry.
    QTest::mouseClick(&bare, Qt::RightButton, {}, bare.cellRect(59, 35).center());
    QTest::mouseClick(&bare, Qt::RightButton, {}, bare.cellRect(59, 56).center());
    QTest::mouseClick(&bare, Qt::RightButton, {}, bare.outputLabelRect(35).center());
    ASSERT_EQ(shown.size(), 3u);
    for (const char* name : {"mnuPPM", "mnuSetGain", "mnuSetGroupGain"})
        EXPECT_FALSE(shown[0].at(QLatin1String(name)).enabled) << name;
    EXPECT_TRUE(shown[0].at(QStringLiteral("mnuSetGroup")).enabled) << "groups are set by the grid itself";
    EXPECT_TRUE(shown[0].at(QStringLiteral("mnuInputRename")).enabled);
    EXPECT_FALSE(shown[1].at(QStringLiteral("mnuPhase")).enabled);
    EXPECT_FALSE(shown[2].at(QStringLiteral("mnuSetGain")).enabled);
    EXPECT_EQ(tips[QStringLiteral("mnuSetGain")], QStringLiteral("Set Gain is not available yet."));
    EXPECT_EQ(tips[QStringLiteral("mnuPPM")], QStringLiteral("PPM Options is not available yet."));
    EXPECT_EQ(modified.count(), 0);

    // Once a dialog takes the command, its entry is offered.
    QSignalSpy gain(&bare, &MatrixGrid::gainRequested);
    QTest::mouseClick(&bare, Qt::RightButton, {}, bare.cellRect(59, 35).center());
    EXPECT_TRUE(shown.back().at(QStringLiteral("mnuSetGain")).enabled);
    EXPECT_EQ(gain.count(), 1);
}

TEST_F(MatrixGridTest, RenameThroughTheLabelEditForm)
{
    QSignalSpy modified(&grid, &MatrixGrid::imageModified);
    grid.setGridPos(50, 0);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ControlModifier, inputLabel(60));
    onPopup([](QMenu& m) { return FindAction(m, QStringLiteral("mnuRename")); });

    int dialogs = 0;
    grid.setDialogRunner([&](QDialog& dialog) {
        ++dialogs;
        auto* form = qobject_cast<TLabelEditForm*>(&dialog);
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("editLabel"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OKButton"));
        EXPECT_TRUE(form && edit && ok);
        if (!form || !edit || !ok)
            return int(QDialog::Rejected);
        EXPECT_EQ(dialog.objectName(), QStringLiteral("LabelEditForm"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Input #60"));
        EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("gbLabel"))->title(), QStringLiteral("Input Name"));
        EXPECT_EQ(edit->text(), QStringLiteral("I60 "));
        EXPECT_EQ(edit->maxLength(), 4);
        dialog.show();
        edit->setText(QStringLiteral("it's"));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << "an illegal text keeps the dialog open";
        edit->setText(QStringLiteral("VO"));
        QTest::mouseClick(ok, Qt::LeftButton);
        return dialog.result();
    });
    QTest::mouseClick(&grid, Qt::RightButton, {}, inputLabel(60));

    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"The text contains one or more illegal characters."});
    EXPECT_EQ(image.inputLabel(0, 60), "VO  ");
    EXPECT_EQ(image.outputLabel(68), "VO  ");
    EXPECT_EQ(grid.model().inputLabel(59), "VO  ");
    EXPECT_EQ(grid.model().outputLabel(67), "VO  ");
    EXPECT_EQ(modified.count(), 1);
}

TEST_F(MatrixGridTest, AdvancedRenameGivesEachLabelItsOwnText)
{
    grid.setGridPos(0, 0);
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ControlModifier, inputLabel(2));
    QTest::mouseClick(&grid, Qt::LeftButton, Qt::ControlModifier, outputLabel(5));
    onPopup([](QMenu& m) { return FindAction(m, QStringLiteral("mnuRename")); });
    grid.setDialogRunner([&](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("gbLabel"))->title(),
                  QStringLiteral("Advanced Rename."));
        auto* row1 = dialog.findChild<QLabel*>(QStringLiteral("lblRow1"));
        auto* row2 = dialog.findChild<QLabel*>(QStringLiteral("lblRow2"));
        auto* edit1 = dialog.findChild<QLineEdit*>(QStringLiteral("editLabel1"));
        auto* edit2 = dialog.findChild<QLineEdit*>(QStringLiteral("editLabel2"));
        EXPECT_TRUE(row1 && row2 && edit1 && edit2);
        if (!row1 || !row2 || !edit1 || !edit2)
            return int(QDialog::Rejected);
        EXPECT_EQ(row1->text(), QStringLiteral("Input #2"));
        EXPECT_EQ(row2->text(), QStringLiteral("Output #5"));
        edit1->setText(QStringLiteral("MIC"));
        edit2->setText(QStringLiteral("AES"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::LeftButton);
        return dialog.result();
    });
    // Shift held on the right click stays held while the command is chosen.
    QTest::mouseClick(&grid, Qt::RightButton, Qt::ShiftModifier, outputLabel(5));
    EXPECT_EQ(image.inputLabel(0, 2), "MIC ");
    EXPECT_EQ(image.outputLabel(5), "AES ");
}

TEST_F(MatrixGridTest, RemoteRenameWritesTheInstrumentFirst)
{
    grid.setRemoteState(true, 0x0510, true);
    std::vector<std::string> waits;
    grid.setLiveLabelWriter([&](uint32_t, const std::string&, const std::string& wait) {
        waits.push_back(wait);
        return true;
    });
    grid.setDialogRunner([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("editLabel"))->setText(QStringLiteral("GTR"));
        return int(QDialog::Accepted);
    });
    onPopup([](QMenu& m) { return FindAction(m, QStringLiteral("mnuOutputRename")); });
    QTest::mouseClick(&grid, Qt::RightButton, {}, cell(0, 6));
    EXPECT_EQ(waits, std::vector<std::string>{"Modifying Output Label #7 - O7  "});
    EXPECT_EQ(sent, std::vector<std::string>{"\r.SP15,22\r"});
    EXPECT_EQ(clock.nowMs(), 250);
    EXPECT_EQ(image.outputLabel(7), "GTR ");
}

TEST_F(MatrixGridTest, ClipboardCarriesTheExactBlocks)
{
    QApplication::clipboard()->clear();
    QSignalSpy state(&grid, &MatrixGrid::clipboardStateChanged);
    EXPECT_FALSE(grid.canPasteLabels());
    grid.selection().set(Out(3), true);
    grid.selection().set(Out(4), true);
    ConfigImage other = test::GridTestImage(0x0530);
    other.setOutputLabel(3, "XXXX");
    other.setSource(0, 2, 40);
    MatrixGrid target{other, prompter, clock, pump};
    target.resize(656, 487);
    target.rebuild();
    QSignalSpy modified(&target, &MatrixGrid::imageModified);

    grid.copySelectedLabels();
    EXPECT_GE(state.count(), 1);
    const QByteArray labels = QApplication::clipboard()->mimeData()->data(MatrixGrid::LabelsMimeType());
    ASSERT_EQ(labels.size(), 736);
    EXPECT_EQ(labels.mid(4 * (88 + 2), 4), QByteArray("O3  "));
    EXPECT_EQ(labels.mid(0, 4), QByteArray(4, '\0'));
    EXPECT_TRUE(grid.canPasteLabels());
    EXPECT_FALSE(grid.canPasteXPoints());
    EXPECT_FALSE(target.canPasteLabels()) << "no image shown yet";
    target.showImage(true);
    target.pasteLabels();
    EXPECT_EQ(other.outputLabel(3), "O3  ");

    grid.copySelectedXPoints();
    const QByteArray xpoints = QApplication::clipboard()->mimeData()->data(MatrixGrid::XPointsMimeType());
    ASSERT_EQ(xpoints.size(), 96);
    EXPECT_EQ(uint8_t(xpoints[2]), 0);
    EXPECT_EQ(uint8_t(xpoints[0]), 0xFF);
    EXPECT_TRUE(grid.canPasteXPoints());
    EXPECT_FALSE(grid.canPasteLabels()) << "a copy replaces the clipboard";
    target.pasteXPoints();
    EXPECT_EQ(other.source(0, 2), 0);
    EXPECT_EQ(target.model().sourceOf(2), 0);
    EXPECT_EQ(modified.count(), 2);

    grid.setRemoteState(true, 0x0530, true);
    EXPECT_FALSE(grid.canPasteXPoints());
    EXPECT_FALSE(grid.canCopy());

    // A block of the wrong size under our name is not ours to paste.
    auto* foreign = new QMimeData;
    foreign->setData(MatrixGrid::LabelsMimeType(), QByteArray(700, 'A'));
    QApplication::clipboard()->setMimeData(foreign);
    EXPECT_FALSE(target.canPasteLabels());
}

TEST_F(MatrixGridTest, KeysAndPanningScrollTheGrid)
{
    const int maxX = 88 - grid.visibleColumns();
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.gridPosX(), 2);
    EXPECT_EQ(grid.gridPosY(), 2);
    QTest::keyClick(&grid, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(grid.gridPosX(), maxX);
    QTest::keyClick(&grid, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(grid.gridPosY(), 0);
    QTest::keyClick(&grid, Qt::Key_Left);
    EXPECT_EQ(grid.gridPosX(), maxX - 2);

    grid.setGridPos(20, 20);
    const QPoint start = cell(30, 30);
    QTest::mousePress(&grid, Qt::MiddleButton, {}, start);
    ASSERT_TRUE(grid.panning());
    EXPECT_EQ(grid.panCursorName(), QStringLiteral("CursorNone"));
    QTest::mouseMove(&grid, start + QPoint(20, -20));
    grid.panStep();
    EXPECT_EQ(grid.gridPosX(), 20) << "inside the dead zone";
    EXPECT_EQ(grid.panCursorName(), QStringLiteral("CursorNone"));
    QTest::mouseMove(&grid, start + QPoint(40, -10));
    grid.panStep();
    EXPECT_EQ(grid.gridPosX(), 22);
    EXPECT_EQ(grid.gridPosY(), 20);
    EXPECT_EQ(grid.panCursorName(), QStringLiteral("CursorRight"));
    QTest::mouseMove(&grid, start + QPoint(-30, -60));
    grid.panStep();
    EXPECT_EQ(grid.gridPosX(), 20);
    EXPECT_EQ(grid.gridPosY(), 18);
    EXPECT_EQ(grid.panCursorName(), QStringLiteral("CursorUP"));

    // Space held as well: releasing one of the two keeps panning.
    QTest::keyPress(&grid, Qt::Key_Space);
    QTest::mouseRelease(&grid, Qt::MiddleButton, {}, start);
    EXPECT_TRUE(grid.panning());
    QTest::keyRelease(&grid, Qt::Key_Space);
    EXPECT_FALSE(grid.panning());
}

TEST(CrosspointIcons, EmptyFirstThenDistinctLegibleIcons)
{
    const auto icons = MakeCrosspointIcons();
    ASSERT_EQ(icons.size(), kCrosspointIconCount);
    auto opaque = [](const QImage& img) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += qAlpha(img.pixel(x, y)) > 128;
        return n;
    };
    EXPECT_EQ(opaque(icons[0].toImage()), 0);
    for (int k = 1; k < icons.size(); ++k) {
        EXPECT_EQ(icons[k].size(), QSize(16, 16));
        EXPECT_GE(opaque(icons[k].toImage()), 20) << "icon " << k << " is too faint";
        for (int j = 1; j < k; ++j)
            EXPECT_NE(icons[k].toImage(), icons[j].toImage()) << "icons " << j << " and " << k;
    }

    const QStringList names{"CursorLeft", "CursorRight", "CursorUP", "CursorDown", "CursorNone"};
    for (int k = 0; k < names.size(); ++k)
        for (int j = 0; j < k; ++j)
            EXPECT_NE(GridCursorPixmap(names[k]).toImage(), GridCursorPixmap(names[j]).toImage());
}

TEST_F(MatrixGridTest, RenderedGridShowsRoutingAndTracing)
{
    for (int o = 0; o < 24; ++o)
        image.setSource(0, o, (o * 5) % 40);
    image.setOutputLabel(1, "MAIN");
    image.setInputLabel(0, 1, "MIC1");
    grid.rebuild();
    grid.applyCrosspointReport(4, 3, true);
    grid.applyCrosspointReport(5, 9, false);
    grid.selection().ctrlClick(In(3));
    grid.selection().ctrlClick(Out(6));
    QTest::mouseMove(&grid, cell(12, 9));

    const QImage shot = grid.grab().toImage();
    if (const QByteArray dir = qgetenv("QV_SCREENSHOT_DIR"); !dir.isEmpty())
        shot.save(QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("grid.png")));

    // The set-offline icon of output 1 (input 1) and the trace of the hovered cell.
    const QRect offline = grid.cellRect(0, 0);
    EXPECT_EQ(shot.pixel(offline.center()), grid.icons()[6].toImage().pixel(8, 8));
    const QRgb trace = QColor(0x33, 0x99, 0xFF).rgb();
    EXPECT_EQ(shot.pixel(grid.cellRect(2, 9).topLeft()), trace) << "row left of the hovered cell";
    EXPECT_EQ(shot.pixel(grid.cellRect(12, 1).topLeft()), trace) << "column above it";
    EXPECT_NE(shot.pixel(grid.cellRect(13, 9).topLeft()), trace) << "not right of it";
}

} // namespace
} // namespace qv
