// QV-Matrix's information windows, debug mode, the remote keyboard and
// mouse pad and the Options dialog, driven through the main window against
// the simulated instrument on virtual time.
#include "options/ui/about_form.h"
#include "options/ui/debug_form.h"
#include "options/ui/file_info_form.h"
#include "options/ui/keyboard_form.h"
#include "options/ui/mouse_pad_form.h"
#include "options/ui/options_form.h"
#include "platform/qt/ini_file.h"
#include "platform/tests/qt_test_app.h"
#include "program_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using qv::Answer;
using qv::test::Program;

template <typename T>
T* Window(Program& p)
{
    return p.form().findChild<T*>();
}

// After the fixture's [Settings] section.
void AddSetting(Program& p, const QByteArray& lines)
{
    QFile ini(p.folders.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::Append));
    ini.write(lines);
}

QString Label(QWidget* window, const char* name)
{
    return window->findChild<QLabel*>(name)->text();
}

bool Shown(Program& p, const char* button)
{
    return p.form().findChild<QWidget*>(button)->isVisible();
}

TEST(OptionWindows, AboutShowsTheConnectedInstrumentAndItsModules)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuAbout");
    auto* about = Window<qv::TAboutForm>(p);
    ASSERT_TRUE(about && about->isVisible());
    const char* lines[][2] = {
        {"lblRVTType", "RVT Type: RVT120S"},         {"lblSerial", "Serial Number: 12345"},
        {"lblSoftware", "Software Version: 05.30"},   {"lblDOTSupport", "Support for DOT-Protocol: Yes"},
        {"lblHardwareID", "Hardware ID: 0003"},       {"lblHardwareVersion", "Hardware Version: 00.00"},
        {"lblFirmware", "Firmware Version: 110"},     {"lblBIOS", "BIOS Version: 02.00"},
        {"lblExtendedBIOS", "Extended BIOS ID: 0001"},
    };
    for (const auto& [name, text] : lines)
        EXPECT_EQ(Label(about, name), text) << name;

    QTest::mouseClick(about->findChild<QPushButton*>("btnModules"), Qt::LeftButton);
    auto* modules = about->findChild<QDialog*>("ModuleForm");
    ASSERT_TRUE(modules && modules->isVisible());
    EXPECT_EQ(Label(modules, "lblInput1"), "#1: 2 Channel Digital Input Module, 2-AES (22)");
    EXPECT_EQ(Label(modules, "lblOutput2"), "#2: GPIO Module (10)");
}

TEST(OptionWindows, AboutWithoutTextRepliesAndWithoutInstrument)
{
    qv::sim::InstrumentOptions deaf;
    deaf.answersText = false;
    deaf.softwareVersion = 0x0412;
    Program old(deaf);
    ASSERT_TRUE(old.app->start());
    old.trigger("mnuAbout");
    auto* about = Window<qv::TAboutForm>(old);
    EXPECT_EQ(Label(about, "lblSoftware"), "Software Version: 4.120");
    EXPECT_EQ(Label(about, "lblDOTSupport"), "Support for DOT-Protocol: No");
    EXPECT_EQ(Label(about, "lblHardwareID"), "");

    qv::sim::InstrumentOptions silent;
    silent.noAnswer = true;
    Program none(silent);
    ASSERT_TRUE(none.app->start());
    none.trigger("mnuAbout");
    EXPECT_EQ(Label(Window<qv::TAboutForm>(none), "lblRVTType"), "No RVT Connected.");
}

TEST(OptionWindows, DebugModeRevealsTheServiceFunctions)
{
    Program p;
    AddSetting(p, "Debug=1\n");
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuUpload");
    EXPECT_FALSE(p.form().action("mnuMousePad")->isVisible());
    EXPECT_FALSE(Shown(p, "btnDotLog"));
    EXPECT_FALSE(Shown(p, "btnDebug"));

    p.trigger("mnuAbout");
    auto* about = Window<qv::TAboutForm>(p);
    QTest::mouseDClick(about->findChild<QWidget*>("ImageLogo"), Qt::LeftButton);
    EXPECT_TRUE(p.form().action("mnuMousePad")->isVisible()) << "shown by the debug action";
    EXPECT_FALSE(p.app->debugMode().on());
    auto* box = about->findChild<QCheckBox*>("chkDebugMode");
    ASSERT_TRUE(box->isVisible());
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(p.app->debugMode().on());
    EXPECT_TRUE(about->findChild<QWidget*>("btnSetDLM")->isVisible());
    EXPECT_TRUE(Shown(p, "btnDotLog"));
    EXPECT_TRUE(Shown(p, "btnDebug"));

    p.trigger("actDotLog");
    EXPECT_TRUE(p.app->dotLog().isVisible());
    p.trigger("actDebug");
    auto* debug = Window<qv::TDebugForm>(p);
    ASSERT_TRUE(debug && debug->isVisible());
    ASSERT_GE(debug->lines().size(), 11);
    EXPECT_EQ(debug->lines().first(), "     PresetOffset: $001080") << "the table of preset 1";
    p.choosePreset(2);
    EXPECT_EQ(debug->lines().mid(debug->lines().size() - 11).first(), "     PresetOffset: $002580");

    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(Shown(p, "btnDotLog"));
    EXPECT_FALSE(Shown(p, "btnDebug"));
    EXPECT_TRUE(p.form().action("mnuMousePad")->isVisible()) << "it stays";
}

TEST(OptionWindows, ForceV5UpgradeIsReadByTheDownload)
{
    for (bool force : {false, true}) {
        Program p;
        ASSERT_TRUE(p.app->start());
        p.trigger("mnuUpload");
        ASSERT_EQ(p.image().imageVersion(), 0x0530);
        p.trigger("mnuAbout");
        auto* about = Window<qv::TAboutForm>(p);
        QTest::mouseDClick(about->findChild<QWidget*>("ImageLogo"), Qt::LeftButton);
        if (force)
            QTest::mouseClick(about->findChild<QCheckBox*>("chkForceV5"), Qt::LeftButton);
        QTest::mouseClick(about->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        p.prompter.clearShown();
        p.trigger("mnuDownload");
        EXPECT_EQ(p.prompter.texts(), std::vector<std::string>{"Download complete."}) << force;
        // The 5.00 step, then 5.10 for this instrument, on the image sent.
        EXPECT_EQ(p.image().imageVersion(), force ? 0x0510 : 0x0530) << force;
    }
}

TEST(OptionWindows, SetDlmRestartsTheInstrumentInDownloadMode)
{
    Program p;
    AddSetting(p, "Debug=1\n");
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuAbout");
    auto* about = Window<qv::TAboutForm>(p);
    QTest::mouseDClick(about->findChild<QWidget*>("ImageLogo"), Qt::LeftButton);
    QTest::mouseClick(about->findChild<QCheckBox*>("chkDebugMode"), Qt::LeftButton);
    ASSERT_TRUE(p.app->debugMode().on());
    auto* setDlm = about->findChild<QPushButton*>("btnSetDLM");
    ASSERT_TRUE(setDlm->isVisible());
    QTest::mouseClick(setDlm, Qt::LeftButton);
    EXPECT_TRUE(p.prompter.texts().empty()) << p.prompter.texts().front();
    EXPECT_TRUE(p.instrument.inDownloadMode());
    const std::vector<std::string>& lines = p.instrument.textLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), ".SP15,21"), 1);
}

TEST(OptionWindows, FileInformationAndItsChangesWithTheVersionOverride)
{
    Program plain;
    ASSERT_TRUE(plain.app->start());
    plain.trigger("mnuUpload");
    plain.trigger("mnuFileInfo");
    auto* info = Window<qv::TFileInfoForm>(plain);
    ASSERT_TRUE(info && info->isVisible());
    auto* table = info->findChild<QTableWidget*>("grdInfo");
    EXPECT_EQ(table->item(0, 1)->text(), "12345");
    EXPECT_EQ(table->item(1, 1)->text(), "RVT120S");
    EXPECT_EQ(table->item(2, 1)->text(), "05.30");

    Program advanced({}, {"/A"});
    ASSERT_TRUE(advanced.app->start());
    advanced.trigger("mnuFileInfo");
    auto* changing = Window<qv::TFileInfoForm>(advanced);
    EXPECT_EQ(changing->findChild<QTableWidget*>("grdInfo")->item(0, 1)->text(), "0") << "nothing loaded yet";
    advanced.prompter.queueText("4711");
    changing->grdInfoDblClick(0);
    EXPECT_EQ(advanced.image().trailer().serial, 4711);
    EXPECT_TRUE(advanced.image().modified());
}

TEST(OptionWindows, TheKeyboardEntryTogglesTheWindowWhoseKeysReachTheInstrument)
{
    Program p;
    AddSetting(p, "[KeyboardWindow]\nVisible=0\nLeft=300\nTop=200\n");
    ASSERT_TRUE(p.app->start());
    auto* keyboard = Window<qv::TKeyboardForm>(p);
    ASSERT_TRUE(keyboard);
    EXPECT_FALSE(keyboard->isVisible());
    EXPECT_EQ(keyboard->pos(), QPoint(300, 200)) << "where the settings put it";

    p.trigger("mnuKeyboard");
    EXPECT_TRUE(keyboard->isVisible());
    QTest::keyClick(keyboard, Qt::Key_F5);
    const int64_t start = p.clock.nowMs();
    QTest::mouseClick(keyboard->findChild<QWidget*>("ImageKey2"), Qt::LeftButton);
    EXPECT_GE(p.clock.nowMs() - start, 2000);
    EXPECT_EQ(p.instrument.keysPressed(), (std::vector<int>{5, 2}));
    EXPECT_TRUE(p.prompter.texts().empty());

    keyboard->move(320, 240);
    ASSERT_TRUE(p.form().closeQuery());
    const qv::IniFile ini(p.folders.iniPath());
    EXPECT_EQ(ini.value("KeyboardWindow", "Visible"), "1");
    EXPECT_EQ(ini.value("KeyboardWindow", "Left"), QString::number(keyboard->x()));
    EXPECT_EQ(ini.value("KeyboardWindow", "Top"), QString::number(keyboard->y()));

    p.trigger("mnuKeyboard");
    EXPECT_FALSE(keyboard->isVisible());
}

TEST(OptionWindows, TheMousePadDrivesTheInstrumentsPointer)
{
    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuMousePad"); // hidden outside debug mode, but the same command
    auto* pad = Window<qv::TMousePadForm>(p);
    ASSERT_TRUE(pad && pad->isVisible());
    QWidget* area = pad->mouseArea();
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button) {
        QMouseEvent event(type, at, area->mapToGlobal(at), button,
                          type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton, {});
        QApplication::sendEvent(area, &event);
    };
    const int64_t start = p.clock.nowMs();
    for (int x = 0; p.clock.nowMs() - start < 1000; ++x) {
        send(QEvent::MouseMove, {x, 200}, Qt::NoButton);
        p.idle(10);
    }
    const qv::sim::PointerState& pointer = p.instrument.live().pointer;
    EXPECT_GE(pointer.moves, 6) << "a move per 150 ms tick";
    EXPECT_LE(pointer.moves, 7);

    send(QEvent::MouseMove, {300, 100}, Qt::NoButton);
    send(QEvent::MouseButtonPress, {300, 100}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {300, 100}, Qt::LeftButton);
    p.idle(100);
    EXPECT_EQ(p.instrument.textLines().back(), ".Sa300,100") << "a click alone";
    EXPECT_EQ(pointer.clicks, 1);
    EXPECT_EQ(pointer.x, 300);
    EXPECT_EQ(pointer.y, 100);
    EXPECT_TRUE(p.app->dotLog().lines().contains("Tx: .Sa300,100")) << p.app->dotLog().lines().join('|').toStdString();
}

TEST(OptionWindows, OptionsFromTheMenuAndFromTheAssociationQuestion)
{
    Program asked;
    QFile ini(asked.folders.iniPath());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Settings]\nComInterface=SIM\n"); // the check is on by default
    ini.close();
    asked.prompter.queueAnswer(Answer::Yes);
    ASSERT_TRUE(asked.app->start());
    auto* options = Window<qv::TOptionsForm>(asked);
    ASSERT_TRUE(options && options->isVisible()) << "Yes to the question opens it";

    Program p;
    ASSERT_TRUE(p.app->start());
    p.trigger("mnuUpload");
    p.trigger("mnuOptions");
    options = Window<qv::TOptionsForm>(p);
    ASSERT_TRUE(options->isVisible());
    options->findChild<QSpinBox*>("SpinXpoint")->setValue(9);
    QTest::mouseClick(options->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_EQ(p.grid().settings().xpointFromFile, 9) << "the grid at once";
    const int output = 0;
    const int input = p.image().source(0, output);
    ASSERT_GE(input, 0);
    EXPECT_EQ(p.grid().model().cell(input, output), 9);

    p.prompter.queueAnswer(Answer::No); // the uploaded image is not saved
    ASSERT_TRUE(p.form().closeQuery());
    EXPECT_EQ(qv::IniFile(p.folders.iniPath()).value("Matrix", "XpointFromFile"), "9");
}

TEST(OptionWindows, TheSplashKeepsTheMainWindowWaitingUntilItsBarIsFull)
{
    Program p({}, {}, nullptr, true);
    ASSERT_TRUE(p.app->start());
    qv::TSplashForm* splash = p.form().splash();
    ASSERT_TRUE(splash && splash->isVisible());
    EXPECT_GE(splash->position(), 1024) << "identification moved it on";
    EXPECT_FALSE(p.form().isEnabled());
    p.idle(3500);
    EXPECT_TRUE(p.form().isEnabled());
    EXPECT_TRUE(!p.form().splash() || !p.form().splash()->isVisible());

    qv::sim::InstrumentOptions deaf;
    deaf.answersText = false;
    Program old(deaf, {}, nullptr, true);
    ASSERT_TRUE(old.app->start());
    EXPECT_TRUE(!old.form().splash() || !old.form().splash()->isVisible()) << "the version read ends it";
    EXPECT_TRUE(old.form().isEnabled());
}

} // namespace
