// QV-Update's window with the hidden advanced menu and the update link,
// offscreen, against the simulated instrument on virtual time.
#include "apps/qv-update/update_application.h"
#include "platform/qt/display_text.h"
#include "platform/tests/qt_test_app.h"
#include "sim/virtual_instrument.h"
#include "updater/tests/field_server.h"

#include <QContextMenuEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using qv::AdvancedItem;

struct ServiceWindow : qv::sim::VirtualInstrument {
    explicit ServiceWindow(const std::string& updateServer = {}) : VirtualInstrument(Options())
    {
        qv::UpdateCommandLine line;
        line.simulator = true;
        app = std::make_unique<qv::UpdateApplication>(
            line, qv::UpdateServices{clock, pump, prompter, port, [] { return std::vector<std::string>{}; },
                                     "www.maker.test", updateServer});
        app->start();
        form().setWebOpener([this](const QString& address) { opened << address; });
    }
    static qv::sim::InstrumentOptions Options()
    {
        qv::sim::InstrumentOptions options;
        options.ioModule.present = true;
        options.ioModule.slotModules[1] = {0xB1};
        return options;
    }

    qv::TfrmMain& form() { return app->mainForm(); }
    qv::TAdvancedMenu& menu() { return *form().advancedMenu(); }
    template <typename T>
    T* child(const char* name)
    {
        T* widget = form().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void connect() { QTest::mouseClick(child<QPushButton>("btnOpen"), Qt::LeftButton); }
    void chord(Qt::KeyboardModifiers modifiers)
    {
        form().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form()));
        QTest::keyClick(child<QLineEdit>("editFilename"), Qt::Key_F11, modifiers);
    }
    void doubleClickHiddenSpot() { QTest::mouseDClick(child<QWidget>("imgAdvancedClick"), Qt::LeftButton); }
    // A right-click on the banner; true when the advanced menu opened.
    bool rightClickBanner()
    {
        QWidget* banner = form().banner();
        const QPoint at(200, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, banner->mapToGlobal(at));
        QApplication::sendEvent(banner, &event);
        const bool open = menu().isVisible();
        menu().hide();
        return open;
    }
    // Opens the menu from the banner and clicks the item in it.
    void choose(AdvancedItem item)
    {
        QWidget* banner = form().banner();
        QContextMenuEvent event(QContextMenuEvent::Mouse, {200, 20}, banner->mapToGlobal(QPoint(200, 20)));
        QApplication::sendEvent(banner, &event);
        ASSERT_TRUE(menu().isVisible());
        QTest::mouseClick(&menu(), Qt::LeftButton, {}, menu().actionGeometry(menu().item(item)).center());
        wire.hostAvailable();
    }
    void unlock()
    {
        chord(Qt::ControlModifier | Qt::AltModifier);
        doubleClickHiddenSpot();
    }

    std::unique_ptr<qv::UpdateApplication> app;
    QStringList opened;
};

TEST(ServiceWindow, ArmedByTheChordAttachedByTheHiddenSpotOpenedByTheBanner)
{
    for (const auto modifiers : {Qt::ControlModifier | Qt::AltModifier, Qt::ControlModifier | Qt::ShiftModifier}) {
        ServiceWindow w;
        w.connect();
        EXPECT_FALSE(w.rightClickBanner());
        w.doubleClickHiddenSpot();
        EXPECT_FALSE(w.rightClickBanner()) << "not armed: the banner keeps no menu";
        EXPECT_TRUE(w.opened.isEmpty()) << "the hidden spot is no part of the banner";
        EXPECT_EQ(w.child<QWidget>("imgAdvancedClick")->geometry(), QRect(0, 0, 17, 17));

        w.chord(modifiers);
        EXPECT_TRUE(w.app->core().advanced.armed());
        EXPECT_FALSE(w.rightClickBanner()) << "armed, the hidden spot is still to be found";
        w.doubleClickHiddenSpot();
        EXPECT_TRUE(w.rightClickBanner());
        EXPECT_TRUE(w.rightClickBanner()) << "and stays";
    }
}

TEST(ServiceWindow, TheItemsInTheirOrder)
{
    ServiceWindow w;
    QStringList captions;
    const std::function<void(QMenu*, const QString&)> list = [&](QMenu* menu, const QString& indent) {
        for (QAction* action : menu->actions()) {
            captions << indent + (action->isSeparator() ? QStringLiteral("-") : action->text()) +
                            (action->shortcut().isEmpty() ? QString() : " " + action->shortcut().toString());
            if (action->menu())
                list(action->menu(), indent + "  ");
        }
    };
    list(&w.menu(), {});
    EXPECT_EQ(captions.join('|').toStdString(),
              "Read Version String|-|Set Transparent Mode|Set Command Mode|-|Execute BOOT-Code|Execute RUN-Code|-|"
              "Disable FPGA-Loader Installation|Install FPGA Loader|Show FPGA Type|Erase I/O Flash|-|"
              "Restart Instrument|Press Instrument Key|  Key 1 Ctrl+F1|  Key 2 Ctrl+F2|  Key 3 Ctrl+F3|"
              "  Key 4 Ctrl+F4|  Key 5 Ctrl+F5|  Key 6 Ctrl+F6|  Key 7 Ctrl+F7|  Key 8 Ctrl+F8|-|"
              "Set SPI Uart Destination|  DSP|  Slot #1|  Slot #2|  Slot #3|  Slot #4|  Slot #5|  Slot #6|  Slot #7|"
              "Show SPI Module ID's|Write data to SPI Modules|-|Create Instrument Label");
    for (const char* name : {"mnuPopVer", "mnuPopTransMode", "mnuPopCMDMode", "mnuPopBoot", "mnuPopRun",
                             "mnuPopFPGALoaderDisable", "mnuPopFPGALoader", "GetFPGAType1", "mnuPopErase",
                             "mnuPopRestart", "mnuPopWriteKeyboard", "mnuPopKey1", "mnuPopKey8",
                             "mnuPopSetSPIUartDest", "DSP1", "mnuPopSetSPIUartDest1", "mnuPopSetSPIUartDest7",
                             "GetSPIModules1", "WritedatatoModules1", "mnuPopCreateLabel"})
        EXPECT_NE(w.menu().findChild<QAction*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST(ServiceWindow, WhatTheMenuOffersAsItOpens)
{
    ServiceWindow w;
    w.unlock();
    const auto offered = [&] {
        w.rightClickBanner();
        QStringList enabled;
        for (QAction* action : w.menu().actions())
            if (!action->isSeparator() && action->isEnabled())
                enabled << action->text();
        return enabled.join('|').toStdString();
    };
    EXPECT_EQ(offered(), "Disable FPGA-Loader Installation") << "the port closed";
    w.connect();
    EXPECT_EQ(offered(), "Read Version String|Set Transparent Mode|Set Command Mode|Execute BOOT-Code|"
                         "Disable FPGA-Loader Installation|Install FPGA Loader|Show FPGA Type|Erase I/O Flash|"
                         "Restart Instrument|Press Instrument Key|Set SPI Uart Destination|Show SPI Module ID's|"
                         "Write data to SPI Modules");

    QAction* loader = w.menu().item(AdvancedItem::FpgaLoaderDisable);
    EXPECT_FALSE(loader->isChecked());
    w.choose(AdvancedItem::FpgaLoaderDisable);
    EXPECT_TRUE(w.app->core().wizard.fpgaLoaderDisabled);
    w.rightClickBanner();
    EXPECT_TRUE(loader->isChecked());
}

TEST(ServiceWindow, AnItemChosenInTheMenu)
{
    ServiceWindow w;
    w.unlock();
    w.connect();
    w.choose(AdvancedItem::SpiModuleIds);
    ASSERT_EQ(w.prompter.texts().size(), 1u);
    EXPECT_TRUE(w.prompter.texts()[0].starts_with("The following modules has been detected in the instrument:\r\r"
                                                  "Slot #1 - No module detected (00).\r"
                                                  "Slot #2 - 4 Channel AES Input Module, 4-AES (B1).\r"));

    w.choose(AdvancedItem::Restart);
    EXPECT_TRUE(w.child<QWidget>("grpFileProgress")->isVisibleTo(&w.form()));
    EXPECT_EQ(w.child<QLineEdit>("editFilename")->text(), "RVT/I");
    EXPECT_EQ(w.child<QLabel>("pnlInfo")->text(), "Done.");
    EXPECT_EQ(w.instrument.restartCount(), 1);
}

TEST(ServiceWindow, WriteModuleDataPage)
{
    ServiceWindow w;
    w.unlock();
    w.connect();
    w.choose(AdvancedItem::WriteModules);
    EXPECT_TRUE(w.prompter.texts().empty());
    EXPECT_TRUE(w.child<QWidget>("grpModuleSetup")->isVisibleTo(&w.form()));
    EXPECT_FALSE(w.child<QWidget>("grpFile")->isVisibleTo(&w.form()));
    EXPECT_EQ(w.child<QWidget>("pnlPort")->height(), 75);
    EXPECT_EQ(w.child<QLabel>("lblInfo")->text(), "Press update to write the data to the module(s).");
    EXPECT_EQ(w.child<QPushButton>("btnExit")->text(), "Cancel");
    EXPECT_TRUE(w.child<QPushButton>("btnNext")->isEnabled());
    EXPECT_EQ(w.child<QProgressBar>("progressWriteModuleID")->maximum(), 7);
    EXPECT_EQ(w.child<QProgressBar>("progressWriteModuleID")->value(), 0);

    auto* types = w.child<QComboBox>("cboModuleTypes");
    auto* data = w.child<QLineEdit>("editModuleIDData");
    auto* dataLabel = w.child<QLabel>("lblModuleIDData");
    auto* moduleId = w.child<QCheckBox>("chkModuleID");
    auto* update = w.child<QPushButton>("btnWriteModules");
    ASSERT_EQ(types->count(), 7);
    EXPECT_EQ(types->currentIndex(), 0);
    EXPECT_EQ(types->itemText(0), "8 Channel Analogue Input Module, 8-ANA (B0)");
    EXPECT_EQ(types->itemText(6), "Other module.");
    EXPECT_EQ(data->text(), "B0");
    EXPECT_TRUE(moduleId->isChecked());
    EXPECT_EQ(moduleId->text(), "Module ID.");
    EXPECT_EQ(dataLabel->text(), "Data.:");
    EXPECT_EQ(update->text(), "Update");
    EXPECT_FALSE(update->isEnabled()) << "what it would write is not settled";

    struct Step {
        const char* what;
        std::function<void()> act;
        QString data;
        bool typesEnabled;
        bool dataEnabled;
    };
    const Step steps[] = {
        {"first type", [] {}, "B0", true, false},
        {"Other module.", [&] { types->setCurrentIndex(6); }, "B0", true, true},
        {"typed", [&] { data->setText("7F"); }, "7F", true, true},
        {"Dolby-E", [&] { types->setCurrentIndex(4); }, "DD", true, false},
        {"module ID off", [&] { QTest::mouseClick(moduleId, Qt::LeftButton); }, "DD", false, false},
        {"module ID on", [&] { QTest::mouseClick(moduleId, Qt::LeftButton); }, "DD", true, false},
        {"Other module. again", [&] { types->setCurrentIndex(6); }, "DD", true, true},
        {"module ID off again", [&] { QTest::mouseClick(moduleId, Qt::LeftButton); }, "DD", false, false},
        {"and on", [&] { QTest::mouseClick(moduleId, Qt::LeftButton); }, "DD", true, true},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(data->text(), step.data) << step.what;
        EXPECT_EQ(types->isEnabled(), step.typesEnabled) << step.what;
        EXPECT_EQ(data->isEnabled(), step.dataEnabled) << step.what;
        EXPECT_EQ(dataLabel->isEnabled(), step.dataEnabled) << step.what;
        EXPECT_FALSE(update->isEnabled()) << step.what;
    }

    // Next: the operation is over, back to the start, disconnected.
    QTest::mouseClick(w.child<QPushButton>("btnNext"), Qt::LeftButton);
    EXPECT_TRUE(w.child<QWidget>("pnlStart")->isVisibleTo(&w.form()));
    EXPECT_FALSE(w.port.isOpen());
}

TEST(ServiceWindow, CheckForUpdates)
{
    ServiceWindow without;
    auto* idle = without.child<QLabel>("lblCheckUpdate");
    EXPECT_TRUE(idle->text().contains(QLatin1String(qv::kNoUpdateServerText)));

    qv::test::FieldServer server(qv::test::FieldAnswers("1", "4", "0", "7"));
    ServiceWindow w(server.url().toStdString());
    auto* link = w.child<qv::TCheckUpdateLink>("lblCheckUpdate");
    EXPECT_TRUE(link->text().contains(QStringLiteral("Check for updates...")));
    emit link->linkActivated(QStringLiteral("#"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link->checking(); }, 20000));
    EXPECT_EQ(w.prompter.texts(),
              std::vector<std::string>{"A new version (1.4.0.7) of QV-Update is available from the Qvella website."
                                       "\r\rPlease go to \"www.maker.test\" and download the latest version."});
    EXPECT_TRUE(server.faults().empty());
}

} // namespace
