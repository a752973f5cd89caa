#include "matrix/ui/dropped_files_form.h"
#include "matrix/ui/main_form.h"
#include "platform/host/scripted_prompter.h"
#include "platform/tests/qt_test_app.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using qv::MainCommand;
using qv::MainField;

constexpr char kDefaultIni[] = "[Settings]\nComInterface=COM1\nCheckFileAssociation=0\n";

// A main window over temporary configuration and data folders, with hooks
// that record what the shell asks of the rest of the program.
struct ShellBench {
    QTemporaryDir config;
    QTemporaryDir data;
    QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qv::ScriptedPrompter prompter;
    std::unique_ptr<qv::TMainForm> form;
    std::vector<std::string> calls;
    qv::InstrumentSummary instrument;
    bool connectOk = false;
    bool remoteConnectOk = true;

    // The rest of the program: something takes every command the window
    // hands on, unless the bench is to show a window with nothing built.
    std::vector<std::unique_ptr<QSignalSpy>> commands;

    explicit ShellBench(const QByteArray& ini = kDefaultIni, bool commandsBuilt = true)
    {
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        if (!ini.isEmpty())
            writeIni(ini);
        form = std::make_unique<qv::TMainForm>(prompter);
        form->fileTypes().setRefreshCaches(false);
        qv::ShellHooks& h = form->hooks();
        h.prepareGrid = [this] { calls.push_back("prepareGrid"); };
        h.markIllegalCrosspoints = [this] { calls.push_back("markIllegalCrosspoints"); };
        h.connectForSwitch = [this] {
            calls.push_back("connectForSwitch");
            return connectOk;
        };
        h.restartInDownloadMode = [this] { calls.push_back("restartInDownloadMode"); };
        h.restartRVT = [this] { calls.push_back("restartRVT"); };
        h.identify = [this](bool installing) {
            calls.push_back(installing ? "identify(installing)" : "identify");
        };
        h.instrument = [this] { return instrument; };
        h.openFile = [this](const QString& path) {
            calls.push_back("openFile " + path.toStdString());
            return true;
        };
        h.installPackage = [this](const QString& path) { calls.push_back("installPackage " + path.toStdString()); };
        h.connectRemote = [this] {
            calls.push_back("connectRemote");
            return remoteConnectOk;
        };
        h.runMacro = [this](const QString& path) { calls.push_back("runMacro " + path.toStdString()); };
        if (!commandsBuilt)
            return;
        const QMetaObject& meta = qv::TMainForm::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i)
            if (meta.method(i).methodType() == QMetaMethod::Signal)
                commands.push_back(std::make_unique<QSignalSpy>(form.get(), meta.method(i)));
    }
    ~ShellBench()
    {
        commands.clear();
        form.reset();
        qputenv("XDG_CONFIG_HOME", oldConfig);
        qputenv("XDG_DATA_HOME", oldData);
    }

    QString iniPath() const { return config.path() + "/QV-Matrix/QV-Matrix.INI"; }
    void writeIni(const QByteArray& ini)
    {
        QDir().mkpath(config.path() + "/QV-Matrix");
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(ini);
    }
    QByteArray ini() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool start(QStringList arguments = {}, std::vector<std::string> ports = {"ttyS0", "ttyUSB0"})
    {
        arguments.prepend("qv-matrix");
        return form->startProgram(qv::ParseMatrixCommandLine(arguments), ports);
    }
    QAction* action(const char* name) const { return form->action(name); }
    QStringList interfaceEntries() const
    {
        QStringList out;
        for (QAction* a : form->findChild<QMenu*>("mnuInterface")->actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return out;
    }
    QString file(const char* name)
    {
        const QString path = data.path() + "/" + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }
};

std::vector<std::string> without(std::vector<std::string> calls, const std::string& skipped)
{
    std::erase(calls, skipped);
    return calls;
}

} // namespace

TEST(MainForm, MenusCarryTheirCaptionsAndShortcuts)
{
    ShellBench b;
    struct Entry {
        const char* name;
        const char* caption;
        const char* shortcut;
    } entries[] = {
        {"mnuOpen", "Open...", "Ctrl+O"},
        {"mnuSave", "Save", ""},
        {"mnuSaveAs", "Save As...", "Ctrl+S"},
        {"mnuFileInfo", "File information...", ""},
        {"mnuRemoteControl", "Remote Control", ""},
        {"mnuConnect", "Connect", "Shift+Esc"},
        {"mnuDisconnect", "Disconnect", "Esc"},
        {"mnuUpload", "Upload", "Ctrl+U"},
        {"mnuDownload", "Download", "Ctrl+D"},
        {"mnuRestart", "Restart", "Ctrl+I"},
        {"mnuDroppedFiles", "Dropped Files...", ""},
        {"mnuExit", "Exit", ""},
        {"mnuCopyLabels", "Copy Selected Labels", "Ctrl+C"},
        {"mnuPasteLabels", "Paste Labels", "Ctrl+V"},
        {"mnuCopyXPoints", "Copy Selected X-Points", "Ctrl+Shift+C"},
        {"mnuPasteXPoints", "Paste X-Points", "Ctrl+Shift+V"},
        {"mnuQVScale", "QV-Scale...", ""},
        {"mnuScreenGrab", "QV-ScreenGrab...", ""},
        {"mnuKeyboard", "Keyboard...", "Ctrl+K"},
        {"mnuPresetOptions", "Preset Options...", ""},
        {"mnuLCDOptions", "LCD Options...", ""},
        {"mnuLeqOptions", "Leq(m) Options...", ""},
        {"mnuScaleOptions", "Scale Options...", ""},
        {"mnuLockCode", "Write Protect Lock Code...", ""},
        {"mnuMousePad", "Mouse  Pad...", ""},
        {"mnuInstallSoftware", "Install Software", ""},
        {"mnuOptions", "Options...", ""},
        {"mnuMacro1", "<Unassigned>", "Ctrl+F1"},
        {"mnuMacro10", "<Unassigned>", "Ctrl+F10"},
        {"mnuRunMacro", "Run Macro...", "Ctrl+F11"},
        {"mnuStopMacro", "Stop Macro", "Ctrl+F12"},
        {"mnuSaveMacro", "Save Macro...", ""},
        {"mnuGlobalHotkeys", "Enable the shortcuts in this menu to be global.", ""},
        {"mnuHelp", "Help", ""},
        {"mnuAbout", "About...", ""},
    };
    for (const Entry& e : entries) {
        QAction* a = b.action(e.name);
        ASSERT_TRUE(a) << e.name;
        EXPECT_EQ(a->text(), e.caption) << e.name;
        EXPECT_EQ(a->shortcut().toString(), e.shortcut) << e.name;
    }
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(b.action(qPrintable(QStringLiteral("mnuRecent%1").arg(n)))->shortcut().toString(),
                  QStringLiteral("Ctrl+%1").arg(n));
    EXPECT_FALSE(b.action("mnuMousePad")->isVisible()) << "only in debug mode";
    EXPECT_EQ(b.form->objectName(), "MainForm");
    EXPECT_EQ(b.form->windowTitle(), "QV-Matrix v. 1.4 ");
    EXPECT_EQ(b.form->minimumSize(), QSize(656, 487));
    for (const char* name : {"btnOpen", "btnSave", "btnSaveAs", "btnRemote", "btnUpload", "btnDownload", "btnRestart",
                             "btnPresetOptions", "btnExit"})
        EXPECT_TRUE(b.form->findChild<QToolButton*>(name)) << name;
    auto* slider = b.form->findChild<QSlider*>("BacklightTrackBar");
    ASSERT_TRUE(slider);
    EXPECT_EQ(slider->maximum() - slider->minimum(), 7);
    EXPECT_TRUE(b.form->findChild<QComboBox*>("PresetDropDown"));
    EXPECT_EQ(b.form->field(MainField::Connection), "Not Connected");
    EXPECT_EQ(b.form->field(MainField::Serial), "Serial No.: Unknown");
}

TEST(MainForm, CommandsAndToolbarControlsFollowTheirSetters)
{
    ShellBench b;
    auto* remoteButton = b.form->findChild<QToolButton*>("btnRemote");
    EXPECT_FALSE(b.form->remoteMenuEnabled());
    EXPECT_FALSE(remoteButton->isEnabled());
    b.form->enable(MainCommand::RemoteControl, true);
    EXPECT_TRUE(b.form->remoteMenuEnabled());
    EXPECT_TRUE(remoteButton->isEnabled());
    EXPECT_TRUE(b.action("mnuConnect")->isEnabled());
    EXPECT_FALSE(b.action("mnuDisconnect")->isEnabled());

    QSignalSpy toggled(b.form.get(), &qv::TMainForm::remoteToggled);
    b.form->setRemoteConnected(true);
    EXPECT_TRUE(remoteButton->isChecked()) << "the button shows the state";
    EXPECT_EQ(toggled.count(), 0) << "without asking to connect again";
    EXPECT_FALSE(b.action("mnuConnect")->isEnabled());
    EXPECT_TRUE(b.action("mnuDisconnect")->isEnabled());
    remoteButton->click();
    ASSERT_EQ(toggled.count(), 1);
    EXPECT_FALSE(toggled[0][0].toBool()) << "released: disconnect";

    b.form->enable(MainCommand::Download, true);
    EXPECT_TRUE(b.form->findChild<QToolButton*>("btnDownload")->isEnabled());
    EXPECT_TRUE(b.form->commandEnabled(MainCommand::Download));

    // An image sets the slider without counting as the user's change.
    QSignalSpy backlight(b.form.get(), &qv::TMainForm::backlightChanged);
    b.form->setBacklight(5);
    EXPECT_EQ(b.form->backlight(), 5);
    EXPECT_EQ(backlight.count(), 0);
    b.form->findChild<QSlider*>("BacklightTrackBar")->setValue(3);
    ASSERT_EQ(backlight.count(), 1);
    EXPECT_EQ(backlight[0][0].toInt(), 3);

    b.form->setPresetNames({"Preset 1 - A", "Preset 2 - B"});
    EXPECT_EQ(b.form->selectedPreset(), 1);
    b.form->selectPreset(2);
    EXPECT_EQ(b.form->selectedPreset(), 2);
    b.form->clearPresetList();
    EXPECT_EQ(b.form->findChild<QComboBox*>("PresetDropDown")->count(), 0);
}

TEST(MainForm, EntriesWhoseCommandNothingTakesStayDisabledAndSaySo)
{
    ShellBench b(kDefaultIni, false);
    QSignalSpy upload(b.form.get(), &qv::TMainForm::uploadRequested);
    QSignalSpy about(b.form.get(), &qv::TMainForm::aboutRequested);
    b.start();
    b.form->enable(MainCommand::Upload, true);
    b.form->enable(MainCommand::PresetOptions, true);
    EXPECT_TRUE(b.action("mnuUpload")->isEnabled()) << "taken by the spy";
    EXPECT_TRUE(b.action("mnuAbout")->isEnabled());
    EXPECT_TRUE(b.action("mnuExit")->isEnabled()) << "handled by the window itself";
    for (const char* name : {"mnuPresetOptions", "mnuQVScale", "mnuInstallSoftware", "mnuHelp"})
        EXPECT_FALSE(b.action(name)->isEnabled()) << name;
    EXPECT_FALSE(b.form->findChild<QToolButton*>("btnPresetOptions")->isEnabled());
    EXPECT_EQ(b.action("mnuPresetOptions")->toolTip(), "Preset Options is not available yet.");
    EXPECT_EQ(b.action("mnuQVScale")->toolTip(), "QV-Scale is not available yet.");
    EXPECT_TRUE(b.form->findChild<QMenu*>("mnuTools")->toolTipsVisible());

    QSignalSpy presetOptions(b.form.get(), &qv::TMainForm::presetOptionsRequested);
    b.form->enable(MainCommand::PresetOptions, true);
    b.form->setEnabled(false);
    b.form->setEnabled(true);
    b.action("mnuPresetOptions")->trigger();
    EXPECT_FALSE(b.action("mnuPresetOptions")->isEnabled()) << "held for the run";
    EXPECT_EQ(presetOptions.count(), 0);
    b.action("mnuUpload")->trigger();
    EXPECT_EQ(upload.count(), 1);
}

TEST(MainForm, TheWebLinkShowsOnlyAnAddressFromTheSettings)
{
    struct Case {
        const char* setting; // nullptr: no key
        bool shown;
        const char* text;
    } cases[] = {
        {nullptr, false, ""},
        {"", false, ""},
        {"www.maker.example/meters", true, "<a href=\"http://www.maker.example/meters\">www.maker.example</a>"},
        {"https://maker.example/?a=1&b=2", true,
         "<a href=\"https://maker.example/?a=1&amp;b=2\">maker.example</a>"},
    };
    for (const Case& c : cases) {
        QByteArray ini = kDefaultIni;
        if (c.setting)
            ini += QByteArray("WebAddress=") + c.setting + "\n";
        ShellBench b(ini);
        b.start();
        b.form->resize(1200, 487); // room for the whole toolbar
        QApplication::processEvents();
        auto* link = b.form->findChild<QLabel*>("lblWebLink");
        EXPECT_EQ(link->isVisible(), c.shown) << ini.toStdString();
        if (c.shown) {
            EXPECT_EQ(link->text(), c.text);
        }
        ASSERT_TRUE(b.form->closeQuery());
        EXPECT_EQ(b.ini().contains("WebAddress="), c.setting != nullptr) << "left as the user wrote it";
    }
}

TEST(MainForm, RecentFilesKeepTheirOrderAndShowInTheMenu)
{
    ShellBench b;
    b.start();
    EXPECT_FALSE(b.form->findChild<QMenu*>("mnuRecent")->menuAction()->isEnabled()) << "nothing yet";

    for (const char* path : {"/p/one.PRE", "/p/two.PRE", "/p/three.PRE"})
        b.form->addRecentFile(path);
    b.form->addRecentFile("/p/one.PRE");
    EXPECT_EQ(b.form->settings().recentFiles, (qv::RecentFileList{"/p/three.PRE", "/p/two.PRE", "/p/one.PRE", ""}))
        << "a file in the list does not move";
    EXPECT_TRUE(b.form->findChild<QMenu*>("mnuRecent")->menuAction()->isEnabled());
    EXPECT_EQ(b.action("mnuRecent1")->text(), "1. /p/three.PRE");
    EXPECT_EQ(b.action("mnuRecent3")->text(), "3. /p/one.PRE");
    EXPECT_TRUE(b.action("mnuRecent3")->isVisible());
    EXPECT_FALSE(b.action("mnuRecent4")->isVisible());
    EXPECT_TRUE(b.ini().contains("File_1=/p/three.PRE\n")) << "written at once";

    b.form->addRecentFile("/p/four.PRE");
    b.form->addRecentFile("/p/five.PRE");
    EXPECT_EQ(b.form->settings().recentFiles,
              (qv::RecentFileList{"/p/five.PRE", "/p/four.PRE", "/p/three.PRE", "/p/two.PRE"}));

    // The entry's file is taken before the guard; a Save As inside it shifts
    // the list and must not change what is opened.
    QString opened;
    b.form->hooks().openRecentFile = [&](const QString& path) {
        b.form->addRecentFile("/p/saved-by-the-guard.PRE");
        opened = path;
        return true;
    };
    b.action("mnuRecent2")->trigger();
    EXPECT_EQ(opened, "/p/four.PRE");
}

TEST(MainForm, TheInterfaceMenuListsPortsAndTheExternalProgram)
{
    struct Case {
        QByteArray settings;
        std::vector<std::string> ports;
        QStringList entries;
        QString marked; // port field; empty when missing
    } cases[] = {
        {"ComInterface=COM1", {"ttyS0", "ttyUSB0", "/dev/pts/4", "SIM"},
         {"ttyS0", "ttyUSB0", "/dev/pts/4", "SIM"}, "ttyS0"},
        {"ComInterface=ttyusb0", {"ttyS0", "ttyUSB0"}, {"ttyS0", "ttyUSB0"}, "ttyUSB0"},
        {"ComInterface=/dev/pts/4", {"ttyS0", "/dev/pts/4"}, {"ttyS0", "/dev/pts/4"}, "/dev/pts/4"},
        {"ComInterface=EXT\nExtCMD=xfer", {"ttyS0"}, {"ttyS0", "-", "External Command"}, "EXT"},
        {"ComInterface=ext\nExtCMD=xfer", {}, {"External Command"}, "EXT"},
        {"ComInterface=EXT", {"ttyS0"}, {"ttyS0"}, ""},
        {"ComInterface=COM1", {}, {"No ports installed."}, ""},
    };
    for (const Case& c : cases) {
        ShellBench b("[Settings]\nCheckFileAssociation=0\n" + c.settings + "\n");
        b.start({}, c.ports);
        const std::string label = c.settings.toStdString();
        EXPECT_EQ(b.interfaceEntries(), c.entries) << label;
        EXPECT_EQ(b.form->field(MainField::Port), c.marked) << label;
        EXPECT_EQ(b.form->portMissing(), c.marked.isEmpty()) << label;
        int checked = 0;
        for (QAction* a : b.form->findChild<QMenu*>("mnuInterface")->actions())
            checked += a->isChecked();
        EXPECT_EQ(checked, c.marked.isEmpty() ? 0 : 1) << label;
        if (c.marked.isEmpty()) {
            EXPECT_EQ(b.calls, (std::vector<std::string>{"prepareGrid", "markIllegalCrosspoints"}))
                << "no identification without a port; " << label;
        }
    }
}

TEST(MainForm, AMissingPortIsReportedAndItsNameKept)
{
    ShellBench b("[Settings]\nComInterface=/dev/ttyACM3\nCheckFileAssociation=0\n");
    b.start({}, {"ttyS0"});
    EXPECT_EQ(b.prompter.texts(), (std::vector<std::string>{
                                      "The previously used comport (/dev/ttyACM3) is no longer available.\r"
                                      "Please select a different port from the Interface menu."}));
    EXPECT_EQ(b.prompter.shown()[0].kind, qv::MessageKind::Information);
    EXPECT_EQ(b.form->portDisplayName(), "/dev/ttyACM3");
    ASSERT_TRUE(b.form->closeQuery());
    EXPECT_TRUE(b.ini().contains("ComInterface=/dev/ttyACM3\n")) << "an unplugged adapter is still chosen next time";
}

TEST(MainForm, ChoosingAnInterfaceLaterMarksItAndAsksForIdentification)
{
    ShellBench b("[Settings]\nComInterface=ttyS0\nExtCMD=xfer\nCheckFileAssociation=0\n");
    b.start({}, {"ttyS0", "ttyUSB0"});
    QSignalSpy chosen(b.form.get(), &qv::TMainForm::interfaceChosen);
    b.action("mnuPort2")->trigger();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen[0][0].toString(), "ttyUSB0");
    EXPECT_EQ(b.form->field(MainField::Port), "ttyUSB0");
    EXPECT_FALSE(b.action("mnuPort1")->isChecked());

    b.form->setField(MainField::Connection, "QV-Test");
    b.action("mnuExternalCommand")->trigger();
    EXPECT_EQ(chosen[1][0].toString(), "EXT");
    EXPECT_EQ(b.form->currentInterface().kind, qv::InterfaceChoice::Kind::Ext);
    EXPECT_EQ(b.form->field(MainField::Port), "EXT");
    EXPECT_EQ(b.form->field(MainField::Connection), "");
    EXPECT_EQ(b.form->field(MainField::Serial), "");
    EXPECT_TRUE(b.form->commandEnabled(MainCommand::Upload));
    EXPECT_TRUE(b.form->commandEnabled(MainCommand::Restart));
    ASSERT_TRUE(b.form->closeQuery());
    EXPECT_TRUE(b.ini().contains("ComInterface=EXT\n"));
    EXPECT_TRUE(b.ini().contains("ExtCMD=xfer\n"));
}

TEST(MainForm, StartUpRunsItsStepsInOrder)
{
    ShellBench b;
    std::vector<std::string> seenAtIdentify;
    b.form->hooks().identify = [&](bool) {
        seenAtIdentify = {b.form->field(MainField::Port).toStdString(), b.form->windowTitle().toStdString(),
                          b.form->isVisible() ? "visible" : "hidden"};
        b.calls.push_back("identify");
    };
    EXPECT_TRUE(b.start({"/p/setup.PRE"}));
    EXPECT_EQ(b.calls, (std::vector<std::string>{"prepareGrid", "openFile /p/setup.PRE", "markIllegalCrosspoints",
                                                 "identify"}));
    EXPECT_EQ(seenAtIdentify, (std::vector<std::string>{"ttyS0", "QV-Matrix v. 1.4 ", "visible"}));
    EXPECT_EQ(b.form->field(MainField::File), "File executed from command-line. (/p/setup.PRE)");
    EXPECT_TRUE(b.prompter.texts().empty());
}

TEST(MainForm, SwitchesRestartTheInstrumentAndEndWithoutAWindow)
{
    struct Case {
        QStringList arguments;
        bool connects;
        bool continues;
        std::vector<std::string> calls;
    } cases[] = {
        {{"/DLM"}, true, false, {"prepareGrid", "markIllegalCrosspoints", "connectForSwitch", "restartInDownloadMode"}},
        {{"/i"}, true, false, {"prepareGrid", "markIllegalCrosspoints", "connectForSwitch", "restartRVT"}},
        {{"/I", "/DLM"}, true, false, {"prepareGrid", "markIllegalCrosspoints", "connectForSwitch", "restartInDownloadMode"}},
        // A failed connection skips the action and the program goes on.
        {{"/DLM"}, false, true, {"prepareGrid", "markIllegalCrosspoints", "connectForSwitch", "identify"}},
    };
    for (const Case& c : cases) {
        ShellBench b;
        b.connectOk = c.connects;
        bool everShown = false;
        b.form->hooks().restartRVT = b.form->hooks().restartInDownloadMode = [&] {
            everShown |= b.form->isVisible();
            b.calls.push_back(c.arguments.contains("/DLM") ? "restartInDownloadMode" : "restartRVT");
        };
        EXPECT_EQ(b.start(c.arguments), c.continues) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(b.calls, c.calls) << c.arguments.join(' ').toStdString();
        EXPECT_FALSE(everShown);
        EXPECT_EQ(b.form->isVisible(), c.continues);
    }

    // Without the saved port the switches are skipped.
    ShellBench missing("[Settings]\nComInterface=COM9\nCheckFileAssociation=0\n");
    EXPECT_TRUE(missing.start({"/I"}, {"ttyS0"}));
    EXPECT_EQ(missing.calls, (std::vector<std::string>{"prepareGrid", "markIllegalCrosspoints"}));
}

TEST(MainForm, APackageArgumentOffersTheInstallationOrStartsNormally)
{
    {
        ShellBench b;
        b.instrument = {true, false, "QV-Test", "12345"};
        b.prompter.queueAnswer(qv::Answer::Yes);
        EXPECT_FALSE(b.start({"/p/soft.CDP"})) << "the process ends after the installation";
        EXPECT_EQ(b.prompter.texts(), (std::vector<std::string>{"Do you wish to install new software on the QV-Test "
                                                                "with the serial number 12345 connected on ttyS0?"}));
        EXPECT_EQ(without(b.calls, "prepareGrid"),
                  (std::vector<std::string>{"markIllegalCrosspoints", "identify(installing)",
                                            "installPackage /p/soft.CDP"}));
    }
    {
        ShellBench b;
        b.instrument = {true, true, "", ""};
        b.prompter.queueAnswer(qv::Answer::No);
        EXPECT_FALSE(b.start({"/p/soft.CDP"}));
        EXPECT_EQ(b.prompter.texts(),
                  (std::vector<std::string>{"Do you wish to install new software on the RVT connected on ttyS0?"}));
        EXPECT_EQ(std::count(b.calls.begin(), b.calls.end(), "installPackage /p/soft.CDP"), 0);
    }
    {
        // Without the installation the package is only refused, and the
        // program goes on instead of ending as if it had installed it.
        ShellBench b;
        b.form->hooks().installPackage = nullptr;
        b.instrument = {true, false, "QV-Test", "12345"};
        EXPECT_TRUE(b.start({"/p/soft.CDP"}));
        EXPECT_EQ(b.prompter.texts(), (std::vector<std::string>{"Installing software from QV-Matrix is not available "
                                                                "yet.\r\rQV-Matrix will be started normally."}));
        EXPECT_EQ(b.prompter.shown()[0].kind, qv::MessageKind::Information);
        EXPECT_EQ(without(b.calls, "prepareGrid"),
                  (std::vector<std::string>{"markIllegalCrosspoints", "identify"}));
        EXPECT_EQ(b.form->field(MainField::File), "");
        EXPECT_TRUE(b.form->isVisible());
    }
    {
        ShellBench b;
        EXPECT_TRUE(b.start({"/p/soft.CDP"}));
        EXPECT_EQ(b.prompter.texts(),
                  (std::vector<std::string>{"No RVT is detected on ttyS0\r\rQV-Matrix will be started normally."}));
        EXPECT_EQ(b.prompter.shown()[0].kind, qv::MessageKind::Warning);
        EXPECT_EQ(b.form->field(MainField::File), "");
        EXPECT_TRUE(b.form->isVisible());
    }
}

TEST(MainForm, AMacroArgumentRunsOrOffersToConnect)
{
    ShellBench b;
    b.form->hooks().identify = [&](bool) { b.form->enable(MainCommand::RemoteControl, true); };
    b.prompter.queueAnswer(qv::Answer::Yes);
    b.start({"/m/route.MCR"});
    EXPECT_EQ(b.prompter.texts(), (std::vector<std::string>{"The RVT is not connected, do you wish to connect?"}));
    EXPECT_EQ(b.calls.back(), "connectRemote");
    EXPECT_EQ(b.form->pendingMacro(), "/m/route.MCR") << "runs once the crosspoints are read";
    ASSERT_TRUE(b.form->closeQuery());
    EXPECT_EQ(b.form->pendingMacro(), "") << "closing drops it";

    ShellBench noRemote;
    noRemote.start({"/m/route.MCR"});
    EXPECT_TRUE(noRemote.prompter.texts().empty());
    EXPECT_EQ(noRemote.form->pendingMacro(), "") << "nothing can run it";
}

TEST(MainForm, TheAssociationCheckAsksAndYesOpensTheOptions)
{
    for (qv::Answer answer : {qv::Answer::Yes, qv::Answer::No}) {
        ShellBench b("[Settings]\nComInterface=COM1\n");
        QSignalSpy options(b.form.get(), &qv::TMainForm::optionsRequested);
        b.prompter.queueAnswer(answer);
        b.start();
        EXPECT_EQ(options.count(), answer == qv::Answer::Yes ? 1 : 0);
        ASSERT_EQ(b.prompter.shown().size(), 1u);
        EXPECT_EQ(b.prompter.shown()[0].text, "One or more filetypes is not associated with this version of "
                                              "QV-Matrix, do you wish to correct this?");
        EXPECT_EQ(b.prompter.shown()[0].kind, qv::MessageKind::Warning);
        EXPECT_EQ(b.prompter.shown()[0].buttons, unsigned(qv::ButtonYesNo));
        for (const QString& ext : qv::FileTypeRegistry::extensions())
            EXPECT_FALSE(b.form->isAssociated(ext)) << "the user ticks them there: " << ext.toStdString();
    }

    ShellBench associated("[Settings]\nComInterface=COM1\n");
    for (const QString& ext : qv::FileTypeRegistry::extensions())
        associated.form->setAssociation(ext, true);
    associated.start();
    EXPECT_TRUE(associated.prompter.texts().empty()) << "no question when all are ours";
}

TEST(MainForm, HandedOverFilesAreDispatchedByTheirExtension)
{
    ShellBench b;
    b.start();
    b.form->handOver("/p/other.PRE");
    EXPECT_EQ(b.calls.back(), "openFile /p/other.PRE");
    EXPECT_EQ(b.form->field(MainField::File), "File executed from file explorer. (/p/other.PRE)");

    b.form->handOver("/p/soft.cdp");
    EXPECT_EQ(b.prompter.texts().back(), "No RVT connected.");
    EXPECT_EQ(b.prompter.shown().back().kind, qv::MessageKind::Error);
    b.instrument = {true, false, "QV-Test", "77"};
    b.prompter.queueAnswer(qv::Answer::Yes);
    b.form->handOver("/p/soft.CDP");
    EXPECT_EQ(b.calls.back(), "installPackage /p/soft.CDP");
    b.form->hooks().installPackage = nullptr;
    b.form->handOver("/p/soft.CDP");
    EXPECT_EQ(b.prompter.texts().back(), "Installing software from QV-Matrix is not available yet.");
    EXPECT_EQ(b.prompter.shown().back().kind, qv::MessageKind::Information);

    const size_t shown = b.prompter.shown().size();
    b.form->handOver("/m/a.MCR");
    EXPECT_EQ(b.prompter.shown().size(), shown) << "without remote control a macro is not offered";
    b.form->enable(MainCommand::RemoteControl, true);
    b.remoteConnectOk = false;
    b.prompter.queueAnswer(qv::Answer::Yes);
    b.form->handOver("/m/a.MCR");
    EXPECT_EQ(b.calls.back(), "connectRemote");
    EXPECT_EQ(b.form->pendingMacro(), "") << "a failed connection ends the handling";
    b.form->setRemoteConnected(true);
    b.form->handOver("/m/a.MCR");
    EXPECT_EQ(b.calls.back(), "runMacro /m/a.MCR");
    EXPECT_EQ(b.form->field(MainField::File), "File executed from file explorer. (/m/a.MCR)");
}

TEST(MainForm, HandOversWaitUntilTheWindowIsIdle)
{
    ShellBench b;
    b.start();
    b.form->setEnabled(false); // as during a transfer
    b.form->queueHandOver("/p/later.PRE");
    EXPECT_TRUE(b.calls.back() != "openFile /p/later.PRE");
    b.form->setEnabled(true);
    EXPECT_TRUE(QTest::qWaitFor([&] { return b.calls.back() == "openFile /p/later.PRE"; }, 2000));
}

TEST(MainForm, DroppedFilesAreDispatchedAloneAndListedTogether)
{
    ShellBench b;
    b.start();
    b.form->enable(MainCommand::RemoteControl, true);
    b.form->setRemoteConnected(true);
    qv::TDroppedFilesForm* dropped = b.form->droppedFilesForm();
    const QString one = b.file("one.MCR");
    const QString two = b.file("two.mcr");
    const size_t before = b.calls.size();

    b.form->dispatchDroppedFiles({one, two});
    EXPECT_EQ(b.calls.size(), before) << "two dropped macros run nothing";
    EXPECT_TRUE(dropped->isVisible());
    EXPECT_EQ(dropped->windowTitle(), "Files dropped from the explorer.");
    EXPECT_EQ(dropped->macros(), (QStringList{one, two}));
    EXPECT_TRUE(dropped->tickedMacros().isEmpty());
    dropped->hide();

    const QString preset = b.file("setup.PRE");
    b.form->dispatchDroppedFiles({preset});
    EXPECT_EQ(b.calls.back(), "openFile " + preset.toStdString());
    EXPECT_EQ(dropped->presets(), (QStringList{preset}));
    EXPECT_FALSE(dropped->isVisible()) << "one file is dispatched, not listed in a window";

    b.form->dispatchDroppedFiles({b.file("notes.txt"), b.data.path() + "/gone.PRE", b.data.path()});
    EXPECT_EQ(dropped->presets(), (QStringList{preset})) << "other files and missing names are ignored";
    EXPECT_EQ(dropped->macros(), (QStringList{one, two}));
}

TEST(MainForm, TheDroppedFilesWindowRunsLoadsAndReordersItsLists)
{
    ShellBench b;
    b.start();
    b.form->enable(MainCommand::RemoteControl, true);
    b.form->setRemoteConnected(true);
    qv::TDroppedFilesForm* dropped = b.form->droppedFilesForm();
    for (const char* name : {"/m/a.MCR", "/m/b.MCR", "/m/c.MCR"})
        dropped->addMacro(name);
    dropped->addMacro("/m/a.MCR");
    EXPECT_EQ(dropped->macros(), (QStringList{"/m/a.MCR", "/m/b.MCR", "/m/c.MCR"})) << "each file once";

    auto* list = dropped->findChild<qv::DroppedFileList*>("lstMacros");
    list->moveEntry(0, list->count()); // dropped below the last entry
    EXPECT_EQ(dropped->macros(), (QStringList{"/m/b.MCR", "/m/c.MCR", "/m/a.MCR"}));
    list->moveEntry(2, 0);
    EXPECT_EQ(dropped->macros(), (QStringList{"/m/a.MCR", "/m/b.MCR", "/m/c.MCR"}));

    list->item(2)->setCheckState(Qt::Checked);
    list->item(0)->setCheckState(Qt::Checked);
    const size_t before = b.calls.size();
    dropped->findChild<QPushButton*>("btnExecuteSelected")->click();
    EXPECT_EQ(std::vector<std::string>(b.calls.begin() + before, b.calls.end()),
              (std::vector<std::string>{"runMacro /m/a.MCR", "runMacro /m/c.MCR"}))
        << "ticked ones in list order";
    dropped->findChild<QPushButton*>("btnExecuteAll")->click();
    EXPECT_EQ(b.calls.size(), before + 5);

    dropped->addPreset("/p/x.PRE");
    auto* presets = dropped->findChild<qv::DroppedFileList*>("lstPresets");
    auto* popup = dropped->findChild<QMenu*>("popPresets");
    presets->clearSelection();
    presets->setCurrentItem(nullptr);
    emit presets->customContextMenuRequested({2, 2});
    for (QAction* a : popup->actions())
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString() << " without a selection";
    popup->hide();
    presets->setCurrentRow(0);
    emit presets->customContextMenuRequested({2, 2});
    for (QAction* a : popup->actions())
        EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    popup->hide();
    dropped->findChild<QPushButton*>("btnLoadPreset")->click();
    EXPECT_EQ(b.calls.back(), "openFile /p/x.PRE");
}

TEST(MainForm, KeysReachHelpTheInstrumentAndTheGrid)
{
    struct KeyRecorder : QWidget {
        std::vector<int> keys;
        void keyPressEvent(QKeyEvent* e) override { keys.push_back(e->key()); }
    };
    ShellBench b;
    b.start();
    auto* grid = new KeyRecorder;
    b.form->setGridWidget(grid);
    b.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(b.form.get()));
    auto* slider = b.form->findChild<QSlider*>("BacklightTrackBar");
    slider->setEnabled(true);
    slider->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), slider);

    QSignalSpy help(b.form.get(), &qv::TMainForm::helpRequested);
    QSignalSpy parameter(b.form.get(), &qv::TMainForm::parameterKeyPressed);
    QTest::keyClick(slider, Qt::Key_F1);
    EXPECT_EQ(help.count(), 1);
    QTest::keyClick(slider, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(parameter.count(), 0) << "only during remote control";
    b.form->setRemoteConnected(true);
    QTest::keyClick(slider, Qt::Key_F3, Qt::ShiftModifier);
    QTest::keyClick(slider, Qt::Key_F11, Qt::ShiftModifier);
    ASSERT_EQ(parameter.count(), 2);
    EXPECT_EQ(parameter[0][0].toInt(), 3);
    EXPECT_EQ(parameter[1][0].toInt(), 11);

    const int value = slider->value();
    QTest::keyClick(slider, Qt::Key_Right);
    QTest::keyClick(slider, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(slider, Qt::Key_Space);
    EXPECT_EQ(grid->keys, (std::vector<int>{Qt::Key_Right, Qt::Key_Down, Qt::Key_Space}));
    EXPECT_EQ(slider->value(), value) << "the grid has the arrow keys";

    auto* presets = b.form->findChild<QComboBox*>("PresetDropDown");
    presets->setEnabled(true);
    b.form->setPresetNames({"Preset 1 - A", "Preset 2 - B"});
    presets->setFocus();
    QTest::keyClick(presets, Qt::Key_Down);
    EXPECT_EQ(grid->keys.size(), 3u) << "the preset drop-down keeps its keys";
    EXPECT_EQ(presets->currentIndex(), 1);
}

TEST(MainForm, ClosingAsksTheHookAndWritesTheSettings)
{
    ShellBench b("[Settings]\nComInterface=COM1\nExtCMD=keep\\me.exe\nCheckFileAssociation=0\n");
    b.start();
    bool mayClose = false;
    b.form->hooks().mayClose = [&] { return mayClose; };
    b.form->hooks().gridPosition = [] { return QPoint(12, 30); };
    const QByteArray before = b.ini();
    EXPECT_FALSE(b.form->close());
    EXPECT_TRUE(b.form->isVisible());
    EXPECT_EQ(b.ini(), before) << "nothing written when the close is refused";

    mayClose = true;
    b.form->move(40, 50);
    b.form->resize(700, 500);
    b.action("mnuGlobalHotkeys")->setChecked(true);
    EXPECT_TRUE(b.form->close());
    const qv::MatrixSettings s = qv::ReadMatrixSettings(b.iniPath());
    EXPECT_EQ(s.comInterface, "ttyS0") << "the port field";
    EXPECT_EQ(s.extCmd, "keep\\me.exe");
    EXPECT_EQ(QRect(s.window.left, s.window.top, s.window.width, s.window.height), QRect(40, 50, 700, 500));
    EXPECT_EQ(QPoint(s.window.gridPosX, s.window.gridPosY), QPoint(12, 30));
    EXPECT_TRUE(s.globalHotkeys);

    // The next start opens the window where this one was.
    ShellBench again(b.ini());
    again.start();
    EXPECT_EQ(again.form->size(), QSize(700, 500));
    EXPECT_EQ(again.form->pos(), QPoint(40, 50));
    EXPECT_TRUE(again.action("mnuGlobalHotkeys")->isChecked());
}
