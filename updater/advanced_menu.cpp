#include "advanced_menu.h"

#include "firmware_results.h"
#include "io_results.h"
#include "link/update_link.h"

namespace qv {

namespace {

constexpr int kModuleTypeCodes[] = {0xB0, 0xB1, 0xC0, 0xC1, 0xDD, 0xAD};
constexpr int kFpgaVp20 = 1;
constexpr int kFpgaVp30 = 2;

// Marks the menu busy while an item talks to the instrument: its waits let
// the window's events run, and the menu must not open inside them.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& busy_;
};

} // namespace

std::vector<ModuleTypeEntry> ModuleTypeEntries()
{
    std::vector<ModuleTypeEntry> entries;
    for (int code : kModuleTypeCodes)
        entries.push_back({at::ModuleName(code) + " (" + HexByteText(uint8_t(code)) + ")", code});
    entries.push_back({"Other module.", -1});
    return entries;
}

std::string SpiNotSupportedText(int spiMode)
{
    const bool ioModule = spiMode == at::kSpiNotSupportedByIo;
    return std::string("This function is not supported by the ") + (ioModule ? "I/O-Module." : "FPGA.") + "\r\r" +
           (ioModule ? "Please make sure the correct FPGA-Loader is installed in the I/O-Module."
                     : "Please make sure the correct FPGA firmware is installed in the mainboard.");
}

AdvancedMenu::AdvancedMenu(IoInterface& io, UpdateIdentity& identity, UpdateWizard& wizard, WizardView& view)
    : io_(io),
      channel_(io.channel()),
      identity_(identity),
      wizard_(wizard),
      view_(view),
      prompter_(io.channel().host().prompter)
{
    mnuPopPopup();
}

void AdvancedMenu::imgAdvancedClickDblClick()
{
    if (armed_)
        attached_ = true;
}

void AdvancedMenu::mnuPopPopup()
{
    // Every item that talks to the instrument needs the port; with it closed
    // they would fail, or, through the dispatcher, report "Done." for nothing.
    const bool open = channel_.port().isOpen();
    const bool instrument = open && identity_.connected;
    const bool runMode = io_.status.systemMode == at::kSystemModeRun;
    enabled_ = {
        {AdvancedItem::ReadVersion, open},
        {AdvancedItem::TransparentMode, open},
        {AdvancedItem::CommandMode, open},
        {AdvancedItem::BootCode, open && runMode},
        {AdvancedItem::RunCode, open && !runMode},
        {AdvancedItem::FpgaLoaderDisable, true},
        {AdvancedItem::FpgaLoader, open},
        {AdvancedItem::FpgaType, open},
        {AdvancedItem::EraseFlash, open},
        {AdvancedItem::Restart, instrument},
        {AdvancedItem::PressKey, instrument},
        {AdvancedItem::SpiUartDestination, open},
        {AdvancedItem::SpiModuleIds, open},
        {AdvancedItem::WriteModules, open},
        // What a label would hold is not settled: the item has no action.
        {AdvancedItem::CreateLabel, false},
    };
}

bool AdvancedMenu::enabled(AdvancedItem item) const
{
    const auto it = enabled_.find(item);
    return it != enabled_.end() && it->second;
}

void AdvancedMenu::ShowModeResult(int result)
{
    const std::string text = AtResultText(result);
    if (text.empty())
        return;
    prompter_.message(result == ATCMD_OK ? MessageKind::Information : MessageKind::Error, text);
}

void AdvancedMenu::mnuPopVerClick()
{
    const BusyScope busy(busy_);
    io_.SetIoMode(true);
    channel_.ClearRx();
    channel_.port().write(at::kVersion);
    if (channel_.WaitReplyLine())
        prompter_.information(channel_.accumulator);
    else
        prompter_.error(AtResultText(ATCMD_TIMEOUT));
}

void AdvancedMenu::mnuPopTransModeClick()
{
    const BusyScope busy(busy_);
    ShowModeResult(io_.SetIoMode(false));
}

void AdvancedMenu::mnuPopCMDModeClick()
{
    const BusyScope busy(busy_);
    ShowModeResult(io_.SetIoMode(true));
}

void AdvancedMenu::mnuPopBootClick()
{
    RestartIoModule(true);
}

void AdvancedMenu::mnuPopRunClick()
{
    RestartIoModule(false);
}

void AdvancedMenu::RestartIoModule(bool bootLoader)
{
    const BusyScope busy(busy_);
    io_.SetIoMode(true);
    wizard_.ShowPage("FILE");
    view_.enable(UpdateControl::Next, false);
    view_.enable(UpdateControl::Exit, false);
    view_.enableWizard(WizardControl::Advanced, false);
    view_.setTag(UpdateControl::Next, kNextFinished);
    StatusPanel& info = view_.panel(WizardText::Info);
    info.setText(bootLoader ? "Please wait while the I/O Module restarts in BOOT-Mode..."
                            : "Please wait while the I/O Module restarts in RUN-Mode...");
    Progress& bar = view_.bar(WizardBar::Progress);
    const int result = io_.RestartIoModule(bootLoader);
    io_.WaitIoRestart(&bar);
    info.setText("Reconnecting to I/O Module...");
    io_.DetectIoInterface(true);
    info.setText("");
    bar.setPosition(0);
    ShowModeResult(result);
    view_.enable(UpdateControl::Next, true);
}

void AdvancedMenu::mnuPopFPGALoaderDisableClick()
{
    wizard_.fpgaLoaderDisabled = !wizard_.fpgaLoaderDisabled;
}

void AdvancedMenu::RunCommand(const std::string& command)
{
    wizard_.SetInput(command);
    view_.setTag(UpdateControl::Next, kNextToStart);
    wizard_.ExecuteCommand();
}

void AdvancedMenu::mnuPopFPGALoaderClick()
{
    RunCommand("MCU/FPGA");
}

void AdvancedMenu::GetFPGAType1Click()
{
    const BusyScope busy(busy_);
    switch (firmware_.GetFpgaType()) {
    case kFpgaVp20:
        prompter_.information("The FPGA type is VP20.");
        break;
    case kFpgaVp30:
        prompter_.information("The FPGA type is VP30.");
        break;
    default:
        prompter_.message(MessageKind::Warning, "The FPGA type is unknown.");
        break;
    }
}

void AdvancedMenu::mnuPopEraseClick()
{
    RunCommand("MCU/ERASE");
}

void AdvancedMenu::mnuPopRestartClick()
{
    RunCommand("RVT/I");
}

void AdvancedMenu::mnuPopKeyClick(int key)
{
    const BusyScope busy(busy_);
    // The module may be in command mode (the slot scan of a connect leaves
    // it so), where the press would never reach the instrument.
    if (identity_.ioInterfacePresent)
        io_.SetIoMode(false);
    channel_.rxMode = RxMode::Binary;
    const bool pressed = UpdateLink(channel_).KeyPress(uint8_t(key));
    channel_.rxMode = RxMode::DotText;
    // Success goes without a word; a press that did not arrive is said.
    if (!pressed)
        prompter_.error("The instrument did not acknowledge the key press.");
}

void AdvancedMenu::mnuPopSetSPIUartDestClick(int destination)
{
    const BusyScope busy(busy_);
    const bool routed = io_.SetSpiUartDestination(uint8_t(destination));
    // The DSP takes the module link's low speed again.
    const bool slowed = destination != kDspDestination || io_.SetModuleLinkSpeed(false);
    if (!routed || !slowed)
        prompter_.error("The I/O-Interface did not acknowledge the SPI UART destination.");
}

void AdvancedMenu::GetSPIModules1Click()
{
    const BusyScope busy(busy_);
    const auto ids = io_.ReadModuleIds();
    std::string text = "The following modules has been detected in the instrument:\r\r";
    for (size_t slot = 0; slot < ids.size(); ++slot)
        text += "Slot #" + std::to_string(slot + 1) + " - " + at::ModuleName(ids[slot]) + " (" + HexByteText(ids[slot]) +
                ").\r";
    prompter_.information(text);
}

void AdvancedMenu::WritedatatoModules1Click()
{
    if (io_.spiMode >= at::kSpiNotSupportedByIo) {
        prompter_.error(SpiNotSupportedText(io_.spiMode));
        return;
    }
    view_.setModuleTypes(ModuleTypeEntries());
    wizard_.ShowPage("WRITEMODULE");
}

} // namespace qv
