#include "options/debug_mode.h"
#include "options/ui/about_form.h"
#include "platform/host/pc_facts.h"
#include "platform/tests/qt_test_app.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct AboutBench {
    QTemporaryDir folder;
    DebugMode debugMode;
    DiagnosticFacts diagnostics = [] {
        DiagnosticFacts d;
        d.program = "qv-matrix";
        d.arguments = {"/A"};
        d.advancedMode = true;
        d.ports = {"ttyS0"};
        return d;
    }();
    QWidget mainWindow;
    TAboutForm form{debugMode, settingsPath(), diagnostics, &mainWindow};

    explicit AboutBench(const QByteArray& ini = "[Settings]\nComInterface=COM1\n")
    {
        QFile file(settingsPath());
        if (file.open(QIODevice::WriteOnly))
            file.write(ini);
    }
    QString settingsPath() const { return folder.filePath("QV-Matrix.INI"); }
    QString text(const char* label) const { return form.findChild<QLabel*>(label)->text(); }
    QWidget* widget(const char* name) const { return form.findChild<QWidget*>(name); }
    bool shown(const char* name) const { return widget(name)->isVisible(); }
    void doubleClickLogo() { QTest::mouseDClick(widget("ImageLogo"), Qt::LeftButton); }
};

TEST(AboutForm, OpensWithTheVersionTheInstrumentAndThePcOfNow)
{
    AboutBench b;
    b.form.showFor(AboutInstrument{});
    EXPECT_EQ(b.form.windowTitle(), "About...");
    EXPECT_TRUE(b.form.isModal());
    EXPECT_EQ(b.text("lblTitle"), "QV-Matrix.");
    EXPECT_EQ(b.text("lblVersion"), "Software Version  v. 1.4 ");
    EXPECT_EQ(b.text("lblBuild"), "Build: 1.4.0.0");
    EXPECT_EQ(b.text("lblRVTType"), "No RVT Connected.");
    EXPECT_EQ(b.text("lblSerial"), "");
    EXPECT_EQ(b.text("lblSoftware"), "");
    EXPECT_FALSE(b.shown("lblWebLink")) << "no web address set";

    // The figures are the machine's own.
    const QStringList pc = b.text("lblComputer").split('\n');
    ASSERT_GE(pc.size(), 7);
    EXPECT_TRUE(pc[0].startsWith("Operating System: ")) << pc[0].toStdString();
    EXPECT_TRUE(pc[1].startsWith("The CPU speed is: ")) << pc[1].toStdString();
    QFile meminfo("/proc/meminfo");
    if (meminfo.open(QIODevice::ReadOnly)) {
        const MemoryFigures memory = ParseMemInfo(meminfo.readAll().toStdString());
        ASSERT_TRUE(memory.totalKb);
        EXPECT_EQ(pc[6].toStdString(), "Total memory: " + std::to_string(*memory.totalKb / 1024) + " MB");
    }
    EXPECT_TRUE(b.form.refreshing()) << "every second while shown";

    QTest::mouseClick(b.form.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_FALSE(b.form.isVisible());
    EXPECT_FALSE(b.form.refreshing()) << "hiding stops the refresh";
}

TEST(AboutForm, AnIdentifiedInstrumentWithItsDotIdentity)
{
    AboutBench b;
    AboutInstrument instrument;
    instrument.identified = true;
    instrument.dotLive = true;
    instrument.typeName = "RVT470D";
    instrument.dot.store(DotIdentity::kSerial, 4711);
    instrument.dot.store(DotIdentity::kSoftwareVersion, 0x0530);
    b.form.setWebAddress("www.example.com");
    b.form.showFor(instrument);
    EXPECT_EQ(b.text("lblRVTType"), "RVT Type: RVT470D");
    EXPECT_EQ(b.text("lblSerial"), "Serial Number: 4711");
    EXPECT_EQ(b.text("lblSoftware"), "Software Version: 05.30");
    EXPECT_EQ(b.text("lblDOTSupport"), "Support for DOT-Protocol: Yes");
    EXPECT_TRUE(b.shown("lblWebLink"));
    EXPECT_TRUE(b.text("lblWebLink").contains("http://www.example.com")) << b.text("lblWebLink").toStdString();
}

TEST(AboutForm, TheLogoRevealsTheDiagnosticAreaAndDebugModeOnlyWhenTheSettingsAllowIt)
{
    AboutBench plain;
    QSignalSpy revealed(&plain.form, &TAboutForm::debugActionRun);
    plain.form.showFor(AboutInstrument{});
    EXPECT_FALSE(plain.shown("pnlDiagnostic"));
    plain.doubleClickLogo();
    EXPECT_TRUE(plain.shown("pnlDiagnostic"));
    EXPECT_TRUE(plain.shown("chkForceV5"));
    EXPECT_FALSE(plain.shown("chkDebugMode")) << "no Debug in the settings";
    EXPECT_FALSE(plain.shown("btnSetDLM"));
    EXPECT_EQ(revealed.count(), 0);
    const QListWidget* list = plain.form.findChild<QListWidget*>("lstDiagnostic");
    ASSERT_GE(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), "Command line string: qv-matrix /A");
    EXPECT_EQ(list->item(2)->text(), "Argument #1: /A");

    QTest::mouseClick(plain.form.findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    plain.form.showFor(AboutInstrument{});
    EXPECT_FALSE(plain.shown("pnlDiagnostic")) << "OK hid it";

    AboutBench debug("[Settings]\nDebug=1\n");
    QSignalSpy debugRevealed(&debug.form, &TAboutForm::debugActionRun);
    std::vector<bool> states;
    debug.debugMode.watch([&](bool on) { states.push_back(on); });
    debug.form.showFor(AboutInstrument{});
    debug.doubleClickLogo();
    EXPECT_TRUE(debug.shown("chkDebugMode"));
    EXPECT_FALSE(debug.debugMode.on()) << "the box starts unticked";
    EXPECT_EQ(debugRevealed.count(), 1) << "the mouse pad entry is shown from now on";

    auto* box = debug.form.findChild<QCheckBox*>("chkDebugMode");
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_TRUE(debug.debugMode.on());
    EXPECT_TRUE(debug.shown("btnSetDLM"));
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_FALSE(debug.debugMode.on());
    EXPECT_FALSE(debug.shown("btnSetDLM"));
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST(AboutForm, ForceV5AndSetDlmAreHandedOn)
{
    AboutBench b("[Settings]\nDebug=true\n");
    QSignalSpy force(&b.form, &TAboutForm::forceV5UpgradeToggled);
    QSignalSpy dlm(&b.form, &TAboutForm::setDlmRequested);
    b.form.showFor(AboutInstrument{});
    b.doubleClickLogo();
    QTest::mouseClick(b.form.findChild<QCheckBox*>("chkForceV5"), Qt::LeftButton);
    EXPECT_TRUE(b.form.forceV5Upgrade());
    ASSERT_EQ(force.count(), 1);
    EXPECT_TRUE(force.at(0).at(0).toBool());
    QTest::mouseClick(b.form.findChild<QCheckBox*>("chkDebugMode"), Qt::LeftButton);
    QTest::mouseClick(b.form.findChild<QPushButton*>("btnSetDLM"), Qt::LeftButton);
    EXPECT_EQ(dlm.count(), 1);
}

TEST(AboutForm, ModulesShowsTheSlotsOfTheInstrument)
{
    AboutBench b;
    AboutInstrument instrument;
    instrument.identified = true;
    instrument.dotLive = true;
    instrument.dot.store(DotIdentity::kInputChannels, 32);
    instrument.dot.store(DotIdentity::kFirstInputModule + 1, 0x24);
    instrument.dot.store(DotIdentity::kFirstOutputModule, 0x11);
    b.form.showFor(instrument);
    QTest::mouseClick(b.form.findChild<QPushButton*>("btnModules"), Qt::LeftButton);
    auto* modules = b.form.findChild<QDialog*>("ModuleForm");
    ASSERT_TRUE(modules && modules->isVisible());
    EXPECT_EQ(modules->windowTitle(), "Installed modules.");
    EXPECT_EQ(modules->findChild<QGroupBox*>("gbInputs")->title(), "Available number of input channels: 32");
    EXPECT_EQ(modules->findChild<QGroupBox*>("gbOutputs")->title(), "Available number of output channels: 0");
    EXPECT_EQ(modules->findChild<QLabel*>("lblInput1")->text(), "#1: Not installed.");
    EXPECT_EQ(modules->findChild<QLabel*>("lblInput2")->text(), "#2: 4 Channel Digital Input Module, 4-AES (24)");
    EXPECT_EQ(modules->findChild<QLabel*>("lblOutput1")->text(), "#1: Analogue Output Module, 1-AES 2-ANA (11)");
    QTest::mouseClick(modules->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
    EXPECT_FALSE(modules->isVisible());
}

} // namespace
} // namespace qv
