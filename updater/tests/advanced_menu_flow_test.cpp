// The advanced service menu against the simulated instrument on virtual
// time: when it may open, which items it offers, and what each item does
// and says.
#include "firmware_fixture.h"
#include "wizard_fixture.h"

#include "updater/advanced_menu.h"

#include <functional>
#include <set>

namespace {

using qv::AdvancedItem;
using qv::MessageKind;
using qv::UpdateControl;
using Message = std::pair<MessageKind, std::string>;
using Messages = std::vector<Message>;

const Message kExecuted{MessageKind::Information, "Command executed correctly."};

struct ServiceBench : WizardBench {
    explicit ServiceBench(qv::sim::InstrumentOptions options = WithIo()) : WizardBench(options) {}

    void connect()
    {
        connection.btnOpenClick();
        ASSERT_TRUE(connection.connected());
        sim.prompter.clearShown();
    }
    // Runs an item the way a click does, and lets the wire settle.
    void click(void (qv::AdvancedMenu::*item)())
    {
        channel.ResetAbort();
        (menu.*item)();
        settle();
    }
    Messages messages() const
    {
        Messages shown;
        for (const auto& s : sim.prompter.shown())
            shown.emplace_back(s.kind, s.text);
        return shown;
    }
    std::set<AdvancedItem> enabledItems()
    {
        menu.mnuPopPopup();
        std::set<AdvancedItem> items;
        for (int i = 0; i <= int(AdvancedItem::CreateLabel); ++i)
            if (menu.enabled(AdvancedItem(i)))
                items.insert(AdvancedItem(i));
        return items;
    }

    qv::AdvancedMenu menu{io, identity, wizard, view};
};

std::set<AdvancedItem> AllBut(std::set<AdvancedItem> left)
{
    std::set<AdvancedItem> items;
    for (int i = 0; i <= int(AdvancedItem::CreateLabel); ++i)
        if (!left.count(AdvancedItem(i)))
            items.insert(AdvancedItem(i));
    return items;
}

TEST(AdvancedMenu, ArmedByTheChordThenAttachedByTheHiddenSpot)
{
    ServiceBench b;
    b.menu.imgAdvancedClickDblClick();
    EXPECT_FALSE(b.menu.attached()) << "a double click alone attaches nothing";
    EXPECT_FALSE(b.menu.canOpen());
    b.menu.Arm();
    EXPECT_FALSE(b.menu.attached()) << "armed, the hidden spot is still to be found";
    b.menu.imgAdvancedClickDblClick();
    EXPECT_TRUE(b.menu.attached());
    EXPECT_TRUE(b.menu.canOpen());
    b.menu.imgAdvancedClickDblClick();
    EXPECT_TRUE(b.menu.attached()) << "for the rest of the run";
}

TEST(AdvancedMenu, DoesNotOpenWhileSomethingRuns)
{
    ServiceBench b;
    b.connect();
    b.menu.Arm();
    b.menu.imgAdvancedClickDblClick();
    // The waits of a running operation let the window's events run: the
    // menu must not start a second operation inside the first.
    std::vector<bool> openable;
    b.sim.pump.add([&] { openable.push_back(b.menu.canOpen()); });
    b.click(&qv::AdvancedMenu::GetSPIModules1Click);
    b.execute("RVT/I");
    ASSERT_FALSE(openable.empty());
    EXPECT_EQ(std::count(openable.begin(), openable.end(), true), 0);
    EXPECT_TRUE(b.menu.canOpen()) << "once they are over";
}

TEST(AdvancedMenu, ItemsOfferedAsTheMenuOpens)
{
    const std::set<AdvancedItem> portFree{AdvancedItem::FpgaLoaderDisable};
    qv::sim::InstrumentOptions bootLoader = WithIo();
    bootLoader.ioModule.systemMode = 1;
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        bool connect;
        bool disconnectAgain;
        std::set<AdvancedItem> enabled;
    };
    const Case cases[] = {
        {"port closed", WithIo(), false, false, portFree},
        {"I/O-interface running", WithIo(), true, false, AllBut({AdvancedItem::RunCode, AdvancedItem::CreateLabel})},
        {"I/O-interface in its boot loader", bootLoader, true, false,
         AllBut({AdvancedItem::BootCode, AdvancedItem::CreateLabel})},
        {"no I/O-interface", {}, true, false, AllBut({AdvancedItem::RunCode, AdvancedItem::CreateLabel})},
        {"disconnected again", WithIo(), true, true, portFree},
    };
    for (const Case& c : cases) {
        ServiceBench b(c.options);
        if (c.connect)
            b.connect();
        if (c.disconnectAgain)
            b.connection.btnOpenClick();
        EXPECT_EQ(b.enabledItems(), c.enabled) << c.name;
    }
}

TEST(AdvancedMenu, ReadVersionString)
{
    ServiceBench b;
    b.connect();
    b.click(&qv::AdvancedMenu::mnuPopVerClick);
    EXPECT_EQ(b.messages(), (Messages{{MessageKind::Information, "I/O-Interface RUN 2.10"}}));

    ServiceBench without(qv::sim::InstrumentOptions{});
    without.connect();
    without.click(&qv::AdvancedMenu::mnuPopVerClick);
    EXPECT_EQ(without.messages(), (Messages{{MessageKind::Error, "Communication Timeout."}}));
}

TEST(AdvancedMenu, ModeSwitches)
{
    struct Case {
        const char* reply;
        bool command;
        Messages messages;
        bool commandMode;
    };
    const Case cases[] = {
        {"OK", true, {kExecuted}, true},
        {"OK", false, {kExecuted}, false},
        {"Not OK", false, {{MessageKind::Error, "Wrong responce."}}, false},
        {"", true, {{MessageKind::Error, "Communication Timeout."}}, true},
        // Neither "OK" nor "Not OK": nothing to say.
        {"Ready", false, {}, false},
    };
    for (const Case& c : cases) {
        ServiceBench b;
        b.connect();
        b.module().options().modeSwitchReply = c.reply;
        b.click(c.command ? &qv::AdvancedMenu::mnuPopCMDModeClick : &qv::AdvancedMenu::mnuPopTransModeClick);
        EXPECT_EQ(b.messages(), c.messages) << c.reply << (c.command ? " command" : " transparent");
        EXPECT_EQ(b.module().commandMode(), c.commandMode) << c.reply;
    }
}

TEST(AdvancedMenu, BootAndRunCode)
{
    ServiceBench b;
    b.connect();
    std::vector<std::string> info;
    b.view.panels[qv::WizardText::Info].onText = [&](const std::string& text) { info.push_back(text); };
    b.click(&qv::AdvancedMenu::mnuPopBootClick);
    EXPECT_EQ(b.messages(), Messages{kExecuted});
    EXPECT_EQ(info, (std::vector<std::string>{"Please wait while the I/O Module restarts in BOOT-Mode...",
                                              "Reconnecting to I/O Module...", ""}));
    EXPECT_EQ(b.io.status.systemMode, 1) << "reconnected to the boot loader";
    EXPECT_TRUE(b.module().commandMode()) << "and left in command mode";
    EXPECT_EQ(b.wizard.page(), "FILE");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextFinished);
    EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));
    EXPECT_FALSE(b.view.isEnabled(UpdateControl::Exit));
    EXPECT_EQ(b.view.bars[qv::WizardBar::Progress].position(), 0);
    EXPECT_TRUE(b.enabledItems().count(AdvancedItem::RunCode));
    EXPECT_FALSE(b.enabledItems().count(AdvancedItem::BootCode));

    b.sim.prompter.clearShown();
    info.clear();
    b.click(&qv::AdvancedMenu::mnuPopRunClick);
    EXPECT_EQ(b.messages(), Messages{kExecuted});
    EXPECT_EQ(info.front(), "Please wait while the I/O Module restarts in RUN-Mode...");
    EXPECT_EQ(b.io.status.systemMode, 0);

    ServiceBench refused;
    refused.connect();
    refused.module().options().refuseBootLoader = true;
    refused.click(&qv::AdvancedMenu::mnuPopBootClick);
    EXPECT_EQ(refused.messages(), (Messages{{MessageKind::Error, "Wrong responce."}}));
    EXPECT_EQ(refused.module().restarts(), 0);
}

TEST(AdvancedMenu, TheFpgaLoaderSwitchReachesTheFirmwarePath)
{
    TempFolder folder;
    const std::string image = folder.write("board.xsvf", FpgaImage(qv::sim::kVp20Idcode, Bitstream(600)));
    for (bool disabled : {false, true}) {
        ServiceBench b;
        b.connect();
        b.wizard.quiet = true;
        if (disabled)
            b.click(&qv::AdvancedMenu::mnuPopFPGALoaderDisableClick);
        EXPECT_EQ(b.menu.fpgaLoaderDisabled(), disabled);
        EXPECT_TRUE(b.run(image));
        EXPECT_EQ(b.module().count("@ATPrg") > 0, !disabled) << (disabled ? "skipped" : "installed first");
        EXPECT_TRUE(b.module().jtagChain().started());
    }
    ServiceBench twice;
    twice.click(&qv::AdvancedMenu::mnuPopFPGALoaderDisableClick);
    twice.click(&qv::AdvancedMenu::mnuPopFPGALoaderDisableClick);
    EXPECT_FALSE(twice.wizard.fpgaLoaderDisabled);
}

TEST(AdvancedMenu, ItemsThatRunTheDispatcher)
{
    const std::string confirm = "You are about to update the software";
    struct Case {
        const char* name;
        void (qv::AdvancedMenu::*item)();
        const char* input;
        bool confirmed;
        Messages after;
        std::function<bool(ServiceBench&)> done;
    };
    const Case cases[] = {
        {"Install FPGA Loader", &qv::AdvancedMenu::mnuPopFPGALoaderClick, "MCU/FPGA", true,
         {{MessageKind::Information, "The I/O Firmware was updated correctly."}},
         [](ServiceBench& b) { return b.module().count("@ATPrg") > 0; }},
        {"Erase I/O Flash", &qv::AdvancedMenu::mnuPopEraseClick, "MCU/ERASE", true,
         {{MessageKind::Information, "The I/O Firmware was erased correctly."}},
         [](ServiceBench& b) { return b.module().flashErased(); }},
        {"Restart Instrument", &qv::AdvancedMenu::mnuPopRestartClick, "RVT/I", false, {},
         [](ServiceBench& b) { return b.sim.instrument.restartCount() == 1; }},
    };
    for (const Case& c : cases) {
        ServiceBench b;
        b.connect();
        if (c.confirmed)
            b.sim.prompter.queueAnswer(qv::Answer::Yes);
        b.click(c.item);
        Messages shown = b.messages();
        if (c.confirmed) {
            ASSERT_FALSE(shown.empty()) << c.name;
            EXPECT_TRUE(shown.front().second.starts_with(confirm)) << c.name;
            shown.erase(shown.begin());
        }
        EXPECT_EQ(shown, c.after) << c.name;
        EXPECT_EQ(b.view.inputText(), c.input) << c.name;
        EXPECT_EQ(b.wizard.page(), "FILE") << c.name;
        EXPECT_TRUE(c.done(b)) << c.name;
    }
}

TEST(AdvancedMenu, FpgaType)
{
    struct Case {
        uint32_t idcode;
        Message message;
    };
    const Case cases[] = {
        {qv::sim::kVp20Idcode, {MessageKind::Information, "The FPGA type is VP20."}},
        {qv::sim::kVp30Idcode, {MessageKind::Information, "The FPGA type is VP30."}},
        {0x0A001093, {MessageKind::Warning, "The FPGA type is unknown."}},
    };
    for (const Case& c : cases) {
        qv::sim::InstrumentOptions options = WithIo();
        options.ioModule.fpgaIdcode = c.idcode;
        ServiceBench b(options);
        b.connect();
        b.click(&qv::AdvancedMenu::GetFPGAType1Click);
        EXPECT_EQ(b.messages(), Messages{c.message}) << std::hex << c.idcode;
    }
}

TEST(AdvancedMenu, InstrumentKeys)
{
    ServiceBench b;
    b.connect();
    ASSERT_TRUE(b.module().commandMode()) << "as the connect's slot scan leaves it";
    for (int key = 1; key <= qv::AdvancedMenu::kKeys; ++key)
        b.menu.mnuPopKeyClick(key);
    b.settle();
    EXPECT_EQ(b.sim.instrument.keysPressed(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(b.messages(), Messages{}) << "a key press goes without a word";
    EXPECT_EQ(b.channel.rxMode, qv::RxMode::DotText);

    ServiceBench direct(qv::sim::InstrumentOptions{});
    direct.connect();
    direct.menu.mnuPopKeyClick(2);
    direct.settle();
    EXPECT_EQ(direct.sim.instrument.keysPressed(), std::vector<int>{2});
    EXPECT_EQ(direct.messages(), Messages{});

    b.sim.instrument.options().noAnswer = true;
    b.menu.mnuPopKeyClick(4);
    EXPECT_EQ(b.messages(), (Messages{{MessageKind::Error, "The instrument did not acknowledge the key press."}}));
}

TEST(AdvancedMenu, SpiUartDestination)
{
    qv::sim::InstrumentOptions options = WithIo();
    options.ioModule.slotModules[4].routable = false;
    ServiceBench b(options);
    b.connect();
    b.menu.mnuPopSetSPIUartDestClick(3);
    EXPECT_EQ(b.module().spiDestination(), 3);
    ASSERT_TRUE(b.io.SetModuleLinkSpeed(true));
    b.menu.mnuPopSetSPIUartDestClick(qv::AdvancedMenu::kDspDestination);
    EXPECT_EQ(b.module().spiDestination(), qv::AdvancedMenu::kDspDestination);
    EXPECT_FALSE(b.module().moduleLinkHigh()) << "the DSP is reached at the low speed";
    EXPECT_EQ(b.messages(), Messages{});

    b.menu.mnuPopSetSPIUartDestClick(5);
    EXPECT_EQ(b.messages(),
              (Messages{{MessageKind::Error, "The I/O-Interface did not acknowledge the SPI UART destination."}}));
}

TEST(AdvancedMenu, ShowSpiModuleIds)
{
    qv::sim::InstrumentOptions options = WithIo();
    options.ioModule.slotModules[0] = {0xB0};
    options.ioModule.slotModules[1] = {0xC1};
    options.ioModule.slotModules[3] = {0xDD};
    options.ioModule.slotModules[6] = {0xAD};
    options.ioModule.slotModules[5].routable = false;
    ServiceBench b(options);
    b.connect();
    b.click(&qv::AdvancedMenu::GetSPIModules1Click);
    EXPECT_EQ(b.messages(), (Messages{{MessageKind::Information,
                                       "The following modules has been detected in the instrument:\r\r"
                                       "Slot #1 - 8 Channel Analogue Input Module, 8-ANA (B0).\r"
                                       "Slot #2 - 4 Channel AES Output Module, 4-AES (C1).\r"
                                       "Slot #3 - No module detected (00).\r"
                                       "Slot #4 - Dolby-E Decoder Module (DD).\r"
                                       "Slot #5 - No module detected (00).\r"
                                       "Slot #6 - Unknown Module (FF).\r"
                                       "Slot #7 - Audio Delay Module (AD).\r"}}));
    EXPECT_EQ(b.module().spiDestination(), qv::AdvancedMenu::kDspDestination) << "routed back to the DSP";
}

TEST(AdvancedMenu, WriteModuleDataPage)
{
    ServiceBench b;
    b.connect();
    ASSERT_EQ(b.io.spiMode, qv::at::kSpiUsable);
    b.click(&qv::AdvancedMenu::WritedatatoModules1Click);
    EXPECT_EQ(b.messages(), Messages{});
    std::vector<std::string> types;
    for (const qv::ModuleTypeEntry& entry : b.view.moduleTypes)
        types.push_back(entry.text + " = " + std::to_string(entry.code));
    EXPECT_EQ(types, (std::vector<std::string>{"8 Channel Analogue Input Module, 8-ANA (B0) = 176",
                                               "4 Channel AES Input Module, 4-AES (B1) = 177",
                                               "8 Channel Analogue Output Module, 8-ANA (C0) = 192",
                                               "4 Channel AES Output Module, 4-AES (C1) = 193",
                                               "Dolby-E Decoder Module (DD) = 221", "Audio Delay Module (AD) = 173",
                                               "Other module. = -1"}));
    EXPECT_EQ(b.wizard.page(), "WRITEMODULE");
    EXPECT_EQ(b.view.groups, unsigned(qv::GroupModuleSetup));
    EXPECT_EQ(b.view.info, "Press update to write the data to the module(s).");
    EXPECT_EQ(b.view.captions[UpdateControl::Exit], "Cancel");
    EXPECT_EQ(b.view.tag(UpdateControl::Exit), qv::kExitCancel);
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextFinished);
    EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));
    EXPECT_TRUE(b.view.isEnabled(qv::WizardControl::Advanced));
    EXPECT_EQ(b.view.text(qv::WizardText::ModuleStatus), "");

    // Without a usable flash identity the SPI module functions are refused.
    struct Case {
        void (*flash)(qv::sim::IoModuleOptions&);
        std::string text;
    };
    const Case refusals[] = {
        {[](qv::sim::IoModuleOptions& o) { o.flashAnswers = false; },
         "This function is not supported by the I/O-Module.\r\rPlease make sure the correct FPGA-Loader is "
         "installed in the I/O-Module."},
        {[](qv::sim::IoModuleOptions& o) { o.flashManufacturer = o.flashDevice = 0xFF; },
         "This function is not supported by the FPGA.\r\rPlease make sure the correct FPGA firmware is installed "
         "in the mainboard."},
    };
    for (const Case& c : refusals) {
        qv::sim::InstrumentOptions options = WithIo();
        c.flash(options.ioModule);
        ServiceBench r(options);
        r.connect();
        r.click(&qv::AdvancedMenu::WritedatatoModules1Click);
        EXPECT_EQ(r.messages(), (Messages{{MessageKind::Error, c.text}}));
        EXPECT_EQ(r.wizard.page(), "START");
        EXPECT_TRUE(r.view.moduleTypes.empty());
    }
}

} // namespace
