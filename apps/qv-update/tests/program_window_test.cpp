// The whole QV-Update program with its window, offscreen, against the
// simulated instrument on virtual time: connecting, the wizard's pages,
// the system information and the command line.
#include "apps/qv-update/update_application.h"
#include "packages/cdp_format.h"
#include "packages/cdp_writer.h"
#include "platform/qt/display_text.h"
#include "platform/tests/qt_test_app.h"
#include "sim/virtual_instrument.h"
#include "updater/tests/preset_fixture.h"
#include "updater/wizard_texts.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

struct Program : qv::sim::VirtualInstrument {
    explicit Program(qv::sim::InstrumentOptions options = {}, const std::vector<std::string>& words = {},
                     const std::string& webAddress = {})
        : VirtualInstrument(options)
    {
        qv::UpdateCommandLine line = qv::ParseUpdateCommandLine(words, "/opt/qv-update");
        line.simulator = true;
        app = std::make_unique<qv::UpdateApplication>(
            line,
            qv::UpdateServices{clock, pump, prompter, port, [] { return std::vector<std::string>{}; }, webAddress});
        app->start();
    }

    qv::TfrmMain& form() { return app->mainForm(); }
    template <typename T>
    T* child(const char* name)
    {
        T* widget = form().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void type(const QString& text)
    {
        auto* box = child<QLineEdit>("editFilename");
        box->clear();
        QTest::keyClicks(box, text);
    }
    QString text(const char* name) { return child<QLabel>(name)->text(); }
    bool shown(const char* name) { return child<QWidget>(name)->isVisibleTo(&form()); }
    QStringList treeLines()
    {
        QStringList lines;
        auto* tree = child<QTreeWidget>("sysTree");
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            lines << (*it)->text(0);
        return lines;
    }

    std::unique_ptr<qv::UpdateApplication> app;
};

// An I/O-interface with an analogue input module in its first slot.
qv::sim::InstrumentOptions WithIoAndModule()
{
    qv::sim::InstrumentOptions o;
    o.ioModule.present = true;
    o.ioModule.slotModules[0] = {0xB0, 0x12, 0x21, 43, true};
    return o;
}

TEST(UpdateWindow, StartPage)
{
    Program p;
    EXPECT_EQ(QCoreApplication::applicationName(), "QV-Updat");
    EXPECT_EQ(p.form().windowTitle(), "QV-Update - Not Connected");
    EXPECT_EQ(p.form().width(), 543);
    EXPECT_TRUE(p.form().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(p.child<QComboBox>("cbCPPort")->itemText(0), "SIM");
    EXPECT_EQ(p.treeLines(), QStringList{"Disconnected."});
    EXPECT_EQ(p.text("lblVer"), "Version 1.4.0.0");
    EXPECT_EQ(p.text("lblInfo"), qv::displayText(qv::kStartInfoText));
    EXPECT_EQ(p.child<QWidget>("pnlPort")->height(), 132);
    EXPECT_TRUE(p.shown("grpPort"));
    EXPECT_TRUE(p.shown("pnlStart"));
    EXPECT_FALSE(p.shown("pnlSelectFile"));
    EXPECT_FALSE(p.shown("btnAdvanced"));
    EXPECT_FALSE(p.child<QPushButton>("btnNext")->isEnabled());
    EXPECT_EQ(p.child<QPushButton>("btnExit")->text(), "Exit");
    EXPECT_EQ(p.child<QPushButton>("btnNext")->text(), "Next >>");
    EXPECT_EQ(p.child<QWidget>("sysTree")->toolTip(), "Right-click for more options...");

    QStringList opened;
    p.form().setWebOpener([&](const QString& address) { opened << address; });
    QTest::mouseDClick(p.child<QWidget>("pnlBanner"), Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{}) << "no web address set";

    Program withSite({}, {}, "https://maker.example/update");
    withSite.form().setWebOpener([&](const QString& address) { opened << address; });
    QTest::mouseDClick(withSite.child<QWidget>("pnlBanner"), Qt::LeftButton);
    EXPECT_EQ(opened, QStringList{"https://maker.example/update"}) << "the maker's web site";
}

TEST(UpdateWindow, ConnectsThroughTheWindow)
{
    qv::sim::InstrumentOptions bios;
    bios.biosMode = true;
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        QString root;
        QString line; // one of the lines below the root
    } cases[] = {
        {"I/O-interface", WithIoAndModule(), "RVT120S, Serial Nummer: 12345", "8 Channel Analogue Input Module, 8-ANA"},
        {"serial port", {}, "RVT120S, Serial Nummer: 12345", "Software Version: 5.3"},
        {"BIOS mode", bios, "The instrument is in BIOS-Mode.", "Processor 1: Installed."},
    };
    for (const auto& c : cases) {
        Program p(c.options);
        p.click("btnOpen");
        const QStringList lines = p.treeLines();
        ASSERT_FALSE(lines.isEmpty()) << c.name;
        EXPECT_EQ(lines[0], c.root) << c.name;
        EXPECT_TRUE(lines.contains(c.line)) << c.name << ": " << lines.join(" | ").toStdString();
        EXPECT_EQ(p.child<QPushButton>("btnOpen")->text(), "Disconnect") << c.name;
        EXPECT_TRUE(p.child<QPushButton>("btnNext")->isEnabled()) << c.name;
        EXPECT_FALSE(p.child<QPushButton>("btnFind")->isEnabled()) << c.name;
        EXPECT_TRUE(p.prompter.texts().empty()) << c.name;
        EXPECT_TRUE(p.form().windowTitle().startsWith("QV-Update - Connected to ")) << c.name;
        EXPECT_TRUE(p.text("lblVer").startsWith("Version 1.4.0.0 - Connected to a ")) << c.name;

        p.click("btnOpen");
        EXPECT_EQ(p.treeLines(), QStringList{"Disconnected."}) << c.name;
        EXPECT_FALSE(p.port.isOpen()) << c.name;
    }
}

TEST(UpdateWindow, StepsThroughTheWizard)
{
    Program p(WithIoAndModule());
    p.click("btnOpen");
    p.click("btnNext");
    EXPECT_TRUE(p.shown("grpFile"));
    EXPECT_FALSE(p.shown("grpPort"));
    EXPECT_EQ(p.child<QWidget>("pnlPort")->height(), 75);
    EXPECT_EQ(p.child<QPushButton>("btnExit")->text(), "Cancel");
    EXPECT_EQ(p.text("lblInfo"), qv::displayText(qv::kSelectFileInfoText));

    p.type("MCU/ERASE");
    EXPECT_TRUE(p.shown("grpFileProgress"));
    EXPECT_EQ(p.text("pnlInfo"), "Press NEXT to erase the I/O flash.");
    // No at the question: back to the start, nothing erased.
    p.prompter.queueAnswer(qv::Answer::No);
    p.click("btnNext");
    EXPECT_EQ(p.prompter.shown().at(0).style, qv::MessageStyle::Alarm);
    EXPECT_TRUE(p.shown("pnlStart"));
    EXPECT_FALSE(p.wire.ioModule()->flashErased());

    p.click("btnNext");
    p.type("RVT/I");
    const int restarts = p.instrument.restartCount();
    p.click("btnNext");
    p.wire.hostAvailable();
    EXPECT_EQ(p.instrument.restartCount(), restarts + 1);
    EXPECT_EQ(p.text("pnlInfo"), "Done.");
    EXPECT_EQ(p.text("pnlTime"), "100 %");
    EXPECT_FALSE(p.child<QLineEdit>("editFilename")->isEnabled());
    EXPECT_FALSE(p.child<QPushButton>("btnExit")->isEnabled());

    p.click("btnNext");
    EXPECT_FALSE(p.port.isOpen());
    EXPECT_TRUE(p.shown("pnlStart"));
    EXPECT_EQ(p.child<QPushButton>("btnOpen")->text(), "Connect");
    EXPECT_EQ(p.form().windowTitle(), "QV-Update - Not Connected");
}

TEST(UpdateWindow, ReadPage)
{
    QTemporaryDir dir;
    Program p(WithIoAndModule());
    p.click("btnOpen");
    p.click("btnNext");
    p.type("RVT/R");
    EXPECT_TRUE(p.shown("grpRDMBFlash"));
    EXPECT_TRUE(p.shown("grpFileProgress"));
    EXPECT_GT(p.child<QWidget>("grpFileProgress")->y(), p.child<QWidget>("grpRDMBFlash")->geometry().bottom())
        << "the progress goes below the fields";
    auto* fast = p.child<QCheckBox>("chkRDMBFlash");
    EXPECT_EQ(fast->text(), "Fast Mode.");
    EXPECT_TRUE(fast->isEnabled());
    EXPECT_TRUE(fast->isChecked());
    EXPECT_EQ(p.child<QLineEdit>("txtFlashAddr")->text(), "0");
    EXPECT_EQ(p.child<QLineEdit>("txtFlashSectorCount")->text(), "1024");
    EXPECT_EQ(p.text("pnlRDMBFlash"), "Press NEXT to start the update.");

    // The browse button puts the chosen name into the file field.
    const QString chosen = dir.filePath("flash");
    p.prompter.queueText(chosen.toStdString());
    p.click("btnRDMBFlashFile");
    EXPECT_EQ(p.child<QLineEdit>("txtFlashFile")->text(), chosen);

    p.child<QLineEdit>("txtFlashAddr")->setText("$1C000");
    p.child<QLineEdit>("txtFlashSectorCount")->setText("8");
    p.prompter.queueAnswer(qv::Answer::Yes);
    p.click("btnNext");
    p.wire.hostAvailable();
    EXPECT_EQ(p.child<QLineEdit>("txtFlashFile")->text(), chosen + ".380");
    QFile file(chosen + ".380");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const std::vector<uint8_t> memory = p.instrument.peek(0x1C000, 8 * 128);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), memory);
    EXPECT_EQ(p.text("pnlRDMBFlash"), "Done.");
    EXPECT_EQ(p.text("pnlRDMBFlashPercent"), "100 %");
    EXPECT_FALSE(p.child<QLineEdit>("txtFlashFile")->isEnabled()) << "the read disabled the page's fields";

    // Back on the page, its fields work again.
    p.click("btnNext");
    p.click("btnOpen");
    p.click("btnNext");
    p.type("RVT/R");
    EXPECT_TRUE(p.child<QLineEdit>("txtFlashFile")->isEnabled());
    EXPECT_TRUE(p.child<QCheckBox>("chkRDMBFlash")->isEnabled());
}

TEST(UpdateWindow, PresetPage)
{
    QTemporaryDir dir;
    const qv::ConfigImage image = FixtureConfiguration();
    const QString path = dir.filePath("studio.PRE");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::vector<uint8_t> bytes = PresetFileBytes(image);
    file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    file.close();

    Program p;
    p.click("btnOpen");
    p.click("btnNext");
    p.type(path);
    EXPECT_TRUE(p.shown("grpPreset"));
    EXPECT_TRUE(p.shown("grpFile"));
    EXPECT_FALSE(p.shown("grpFileProgress"));
    EXPECT_EQ(p.child<QGroupBox>("grpPreset")->title(), "Instrument Configuration file.");
    EXPECT_EQ(p.text("lblPresetFile"), "File Information.");
    EXPECT_EQ(p.text("pnlPresetInfo"), "Press Next to start the Update.");
    EXPECT_EQ(p.text("pnlPresetPercent"), "0 %");
    EXPECT_TRUE(p.child<QPushButton>("btnNext")->isEnabled());

    auto* tree = p.child<QTreeWidget>("PresetTree");
    EXPECT_EQ(tree->editTriggers(), QAbstractItemView::NoEditTriggers);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Configuration File.");
    EXPECT_TRUE(root->isExpanded());
    QStringList groups;
    for (int i = 0; i < root->childCount(); ++i) {
        groups << root->child(i)->text(0);
        EXPECT_FALSE(root->child(i)->isExpanded());
    }
    EXPECT_EQ(groups, (QStringList{"File Information. (File Origin.)", "Presets.", "Scales."}));
    EXPECT_EQ(root->child(1)->child(3)->text(0), "Preset #4: Edit Suite");
    EXPECT_EQ(root->child(2)->child(0)->text(0), "Scale Offset: German Offset.");

    p.prompter.queueAnswer(qv::Answer::Yes);
    p.click("btnNext");
    p.wire.hostAvailable();
    EXPECT_EQ(p.prompter.texts().back(), "Download complete.\rPress NEXT to continue.");
    EXPECT_EQ(p.instrument.peek(0x1C000, 16384), std::vector<uint8_t>(image.bytes().begin(), image.bytes().end()));
    EXPECT_EQ(p.text("pnlPresetInfo"), "Done.");
    EXPECT_EQ(p.text("pnlPresetPercent"), "100 %");
    auto* bar = p.child<QProgressBar>("ProgressBarPreset");
    EXPECT_EQ(bar->value(), bar->maximum());

    // Next disconnects; the start page puts the bar back.
    p.click("btnNext");
    EXPECT_TRUE(p.shown("pnlStart"));
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(p.text("pnlPresetPercent"), "0 %");
}

TEST(UpdateWindow, DoubleClickRecognisesTheBoxAgain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("late.380");
    Program p;
    p.click("btnOpen");
    p.click("btnNext");
    p.type(path);
    EXPECT_FALSE(p.shown("grpFileProgress")) << "no such file yet";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(128, 'D'));
    file.close();
    QTest::mouseDClick(p.child<QLineEdit>("editFilename"), Qt::LeftButton);
    EXPECT_TRUE(p.shown("grpFileProgress"));
    EXPECT_TRUE(p.child<QPushButton>("btnNext")->isEnabled());
}

TEST(UpdateWindow, HelpPage)
{
    Program p;
    p.click("btnOpen");
    p.click("btnNext");
    p.type("Help");
    EXPECT_TRUE(p.shown("grpHelp"));
    EXPECT_FALSE(p.child<QPushButton>("btnNext")->isEnabled());
    EXPECT_EQ(p.text("lblHelpInfo"), "The input box above can be used to enter\nfilenames for the software update.\n"
                                     "Besides filenames, this input box can\nalso be used to enter special commands.");
    EXPECT_EQ(p.text("lblHelpCommands"), qv::displayText(qv::kHelpCommandsText));
    EXPECT_TRUE(p.child<QLabel>("lblHelpCommands")->font().fixedPitch());
    p.type("nothing");
    EXPECT_TRUE(p.shown("grpHelp")) << "the help stays once shown";
}

TEST(UpdateWindow, SystemInformationMenuFileAndClipboard)
{
    Program p(WithIoAndModule());
    p.click("btnOpen");
    QMenu* menu = p.form().sysTreeMenu();
    QStringList entries;
    for (QAction* action : menu->actions())
        entries << (action->isSeparator() ? "-" : action->text());
    EXPECT_EQ(entries, (QStringList{"Expand All", "Collapse All", "-", "Save information to file..."}));

    auto* tree = p.child<QTreeWidget>("sysTree");
    menu->actions()[0]->trigger();
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        EXPECT_TRUE((*it)->childCount() == 0 || (*it)->isExpanded()) << (*it)->text(0).toStdString();
    menu->actions()[1]->trigger();
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
    EXPECT_FALSE(tree->topLevelItem(0)->child(0)->isExpanded() && tree->topLevelItem(0)->child(0)->childCount());

    QTemporaryDir dir;
    const std::string chosen = dir.filePath("system").toStdString();
    p.prompter.queueText(chosen);
    menu->actions()[3]->trigger();
    const std::string saved = chosen + ".TXT";
    EXPECT_EQ(p.prompter.texts().back(), "The file \"" + saved + "\" was succesfully created.");
    QFile file(QString::fromStdString(saved));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    EXPECT_TRUE(content.startsWith("This file was created with QV-Update Version 1.4.0.0\r\n"));
    EXPECT_TRUE(
        content.contains("\r\n\r\nRVT120S, Serial Nummer: 12345\r\n\tCommunication Interface: Serial Port.\r\n"));

    QApplication::clipboard()->clear();
    p.form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&p.form()));
    QTest::keyClick(&p.form(), Qt::Key_C, Qt::ControlModifier);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith("Qvella A/S - Instrument System Information.\nRVT120S, Serial Nummer: 12345\n"
                                  "Communication Interface: Serial Port.\n"))
        << copied.toStdString();
}

TEST(UpdateWindow, DroppedFileConnectsAndSelectsIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("X.380");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(256, 'D'));
    file.close();

    Program p(WithIoAndModule());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: outside a real drag Qt routes no drop.
    static_cast<QObject&>(p.form()).event(&drop);
    EXPECT_TRUE(p.port.isOpen());
    EXPECT_EQ(p.child<QLineEdit>("editFilename")->text(), path);
    EXPECT_TRUE(p.shown("grpFileProgress"));
    EXPECT_EQ(p.child<QPushButton>("btnNext")->property("tag").toInt(), 2);
}

TEST(UpdateWindow, CommandLineJobs)
{
    {
        Program p(WithIoAndModule(), {"/I", "/C", "SIM"});
        const int restarts = p.instrument.restartCount();
        p.app->cmdTimerTimer();
        p.wire.hostAvailable();
        EXPECT_EQ(p.instrument.restartCount(), restarts + 1);
        EXPECT_TRUE(p.app->ended());
        EXPECT_EQ(p.app->exitStatus(), qv::kExitDone);
        EXPECT_FALSE(p.form().isVisible());
        EXPECT_TRUE(p.prompter.texts().empty());
    }
    {
        Program p({}, {"/E"});
        p.app->cmdTimerTimer();
        EXPECT_TRUE(p.app->ended());
        EXPECT_EQ(p.app->exitStatus(), qv::kExitFailed);
        EXPECT_EQ(p.prompter.texts(), Texts{"This command is not supported by the instrument."});
    }
    {
        // A job that cannot connect leaves the wizard open.
        Program p({}, {"/I", "/C", "9"});
        p.port.setRefuseOpen(true);
        p.app->cmdTimerTimer();
        EXPECT_FALSE(p.app->ended());
        EXPECT_TRUE(p.form().isVisible());
        EXPECT_EQ(p.app->exitStatus(), qv::kExitFailed);
        EXPECT_EQ(p.prompter.texts().back(), "Could not connect to COM9.");
        EXPECT_TRUE(p.child<QPushButton>("btnExit")->isEnabled());
    }
}

TEST(UpdateWindow, HelpDialogOfTheCommandLine)
{
    Program p({}, {"/H"});
    QString caption;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        text = dialog->findChild<QPlainTextEdit*>("memParams")->toPlainText();
        dialog->findChild<QPushButton*>("btnClose")->click();
    });
    p.app->cmdTimerTimer();
    EXPECT_EQ(caption, "Commandline parameters...");
    EXPECT_TRUE(text.startsWith("QV-Update Commandline Parameters.\n\nThe parameter [/C \"Port Number\"]"));
    EXPECT_TRUE(p.app->ended());
    EXPECT_EQ(p.app->exitStatus(), qv::kExitDone);
}

std::string WritePackage(const QTemporaryDir& dir, const std::string& name, uint32_t mask)
{
    qv::CdpDraft draft;
    draft.description = "New software for the window";
    qv::CdpDraftItem item;
    item.mask = mask;
    item.kind = qv::kCdpSoftwareBlock;
    item.address = 0x2000;
    item.description = "Program";
    item.payload.assign(2048, 0x5A);
    draft.items = {item};
    const std::string path = (std::filesystem::path(dir.path().toStdString()) / name).string();
    std::string error;
    EXPECT_TRUE(qv::WriteCdp(path, draft, error)) << error;
    return path;
}

TEST(UpdateWindow, PackagePageInstallsAndDrainsItsBars)
{
    QTemporaryDir dir;
    Program p;
    p.click("btnOpen");
    p.click("btnNext");
    p.type(QString::fromStdString(WritePackage(dir, "new.CDP", 0)));
    EXPECT_TRUE(p.shown("grpCDPBackOld"));
    EXPECT_TRUE(p.shown("grpCDPProgress"));
    EXPECT_EQ(p.text("lblCDPInfo"), "New software for the window");
    EXPECT_EQ(p.text("ItemDescription"), "Press NEXT to start the update...");
    auto* backup = p.child<QCheckBox>("chkBackup");
    EXPECT_TRUE(backup->isChecked());
    EXPECT_TRUE(backup->isEnabled());
    QTest::mouseClick(backup, Qt::LeftButton);
    EXPECT_FALSE(p.child<QLineEdit>("editBackupFileName")->isEnabled());

    p.prompter.queueAnswer(qv::Answer::Yes); // the question before an update
    p.click("btnNext");
    p.wire.hostAvailable();
    EXPECT_EQ(p.instrument.peek(0x2000, 2048), std::vector<uint8_t>(2048, 0x5A));
    ASSERT_EQ(p.prompter.texts().size(), 2u);
    EXPECT_TRUE(p.prompter.texts()[1].starts_with("The software installation is complete. Elapsed Time: "));
    EXPECT_EQ(p.text("pnlCDPOverallPercent"), "100 %");
    EXPECT_EQ(p.child<QPushButton>("btnNext")->isEnabled(), true);
    auto* item = p.child<QProgressBar>("ItemProgress");
    auto* overall = p.child<QProgressBar>("OverallProgress");
    EXPECT_TRUE(p.form().draining());
    EXPECT_EQ(item->value(), 100);
    // tmrProgress runs the bars down after a pause.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !p.form().draining(); }, 5000));
    EXPECT_EQ(item->value(), 0);
    EXPECT_EQ(overall->value(), 0);
}

// The type of an instrument in BIOS mode is asked for before the package
// goes in, with the dialog of the window.
TEST(UpdateWindow, PackageForAnInstrumentInBiosMode)
{
    QTemporaryDir dir;
    qv::sim::InstrumentOptions bios;
    bios.biosMode = true;
    Program p(bios);
    p.click("btnOpen");
    p.click("btnNext");
    p.type(QString::fromStdString(WritePackage(dir, "type5.CDP", 1u << 4)));
    EXPECT_FALSE(p.child<QCheckBox>("chkBackup")->isChecked()) << "nothing to back up in BIOS mode";
    EXPECT_TRUE(p.prompter.texts().empty()) << "no warning in BIOS mode";

    QString caption;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        auto* list = dialog->findChild<QComboBox*>();
        list->setCurrentIndex(7); // "RVT120S"
        p.prompter.queueAnswer(qv::Answer::Yes);
        dialog->findChild<QPushButton*>()->click();
    });
    p.prompter.queueAnswer(qv::Answer::Yes); // the question before an update
    p.click("btnNext");
    p.wire.hostAvailable();
    EXPECT_EQ(caption, "RVTType.");
    EXPECT_EQ(p.instrument.peek(0x2000, 2048), std::vector<uint8_t>(2048, 0x5A));
    EXPECT_EQ(p.prompter.count("Are you sure that your instrument is a RVT120S?"), 1);
}

TEST(UpdateWindow, ClosingTheWindowGoesThroughExit)
{
    Program p(WithIoAndModule());
    p.click("btnOpen");
    p.form().close();
    EXPECT_TRUE(p.app->ended());
    EXPECT_FALSE(p.port.isOpen()) << "disconnected first";
}

} // namespace
