// The package installer's instrument: QV-Update's link, I/O-interface and
// transfers, showing their progress on the "CDP" page.
#include "package_host.h"

#include "flash_transfer.h"
#include "resource_lines.h"
#include "link/update_download_mode.h"
#include "link/update_instrument_info.h"
#include "link/update_link.h"

namespace qv {

namespace {

// The item bar's label as a panel, for the transfers that take one.
class BarText : public StatusPanel {
public:
    explicit BarText(Progress& bar) : bar_(bar) {}
    void setText(const std::string& text) override { bar_.setText(text); }

private:
    Progress& bar_;
};

} // namespace

PackageInstallHost::PackageInstallHost(IoInterface& io, UpdateIdentity& identity, UpdateConnection& connection,
                                       WizardView& view, FirmwareProgrammer& firmware)
    : io_(io), channel_(io.channel()), identity_(identity), connection_(connection), view_(view), firmware_(firmware)
{
}

template <class Step>
auto PackageInstallHost::Unaborted(const Step& step)
{
    const bool stop = channel_.stop;
    const bool cancel = channel_.cancel;
    channel_.ResetAbort();
    const auto result = step();
    channel_.stop = stop;
    channel_.cancel = cancel;
    return result;
}

void PackageInstallHost::setPackageTitle(const std::string& text)
{
    view_.panel(WizardText::CdpInfo).setText(text);
}

void PackageInstallHost::setItemDescription(const std::string& text)
{
    description().setText(text);
}

Progress& PackageInstallHost::itemBar()
{
    return view_.bar(WizardBar::Item);
}

Progress& PackageInstallHost::overallBar()
{
    return view_.bar(WizardBar::Overall);
}

void PackageInstallHost::repaint()
{
    view_.repaint();
}

void PackageInstallHost::startProgressDrain()
{
    view_.startProgressDrain();
}

bool PackageInstallHost::usbConnection() const
{
    return identity_.ioInterfacePresent && io_.status.interface == at::kInterfaceUsb;
}

bool PackageInstallHost::usbSupported() const
{
    return connection_.usbSupported();
}

InstallTarget::SlotIds PackageInstallHost::slotModuleIds() const
{
    SlotIds ids{};
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = io_.slotInfo[i].moduleId;
    return ids;
}

void PackageInstallHost::setSlotModuleIds(const SlotIds& ids)
{
    for (size_t i = 0; i < ids.size(); ++i)
        io_.slotInfo[i].moduleId = ids[i];
}

void PackageInstallHost::Wait(int ms)
{
    for (int waited = 0; waited < ms && !channel_.aborted(); waited += UpdateChannel::kPollMs)
        channel_.Poll();
}

std::optional<int> PackageInstallHost::ChooseBiosType()
{
    return view_.chooseBiosType();
}

// Without an I/O-interface module its commands would only wait out their
// time limits.

int PackageInstallHost::SetIoMode(bool command)
{
    if (!io())
        return 0;
    if (command)
        return io_.SetIoMode(true);
    return Unaborted([&] { return io_.SetIoMode(false); });
}

void PackageInstallHost::SendText(std::string_view text)
{
    channel_.ClearRx();
    channel_.port().write(text);
    channel_.ClearRx();
}

bool PackageInstallHost::ReadFlashIdentity()
{
    return io() && io_.ReadFlashIdentity();
}

bool PackageInstallHost::SetLinkSpeed(bool high)
{
    if (!io())
        return false;
    // After a Cancel the module would switch without the port following it.
    if (high)
        return !stopped() && io_.SetLinkSpeed(true);
    return Unaborted([&] { return io_.SetLinkSpeed(false); });
}

bool PackageInstallHost::EnterBiosMode()
{
    return io() && io_.EnterBiosMode();
}

bool PackageInstallHost::ReloadFpga()
{
    return io() && io_.ReloadFpga();
}

bool PackageInstallHost::SetKeyDown(bool down)
{
    return io() && io_.SetKeyDown(down);
}

void PackageInstallHost::WaitIoRestart()
{
    io_.WaitIoRestart(&itemBar());
}

int PackageInstallHost::DetectIoInterface(bool stayInCommandMode)
{
    return io_.DetectIoInterface(stayInCommandMode);
}

InstallTarget::SlotIds PackageInstallHost::ReadModuleIds()
{
    return io_.ReadModuleIds();
}

void PackageInstallHost::RestartInstrument()
{
    if (io()) {
        io_.RestartInstrument(nullptr, &description(), nullptr);
        return;
    }
    description().setText("Restarting Instrument - Please Wait...");
    RestartRvt();
    description().setText("Done.");
}

std::string PackageInstallHost::ModuleName(uint8_t code) const
{
    return at::ModuleName(code);
}

int PackageInstallHost::InstallFpgaLoader()
{
    return firmware_.InstallIoFirmware("MCU/FPGA", {&info(), {&itemBar(), nullptr}});
}

std::vector<std::string> PackageInstallHost::HexLines(std::span<const uint8_t> text) const
{
    return SplitResourceLines(text);
}

std::vector<std::string> PackageInstallHost::FpgaLoaderLines() const
{
    return LoadResourceLines("FPGA_PRG");
}

int PackageInstallHost::DownloadIoHex(const std::vector<std::string>& lines)
{
    return firmware_.DownloadIoHex(lines, display(info()));
}

int PackageInstallHost::EraseIoFlash()
{
    return io_.EraseIoFlash(&info(), &itemBar());
}

int PackageInstallHost::ProgramJtag(std::span<const uint8_t> image, const std::string& text)
{
    return firmware_.ProgramJtag(image, text, display(description()));
}

int PackageInstallHost::GetFpgaType()
{
    return firmware_.GetFpgaType();
}

int PackageInstallHost::ProgramSlotFpga(int slot, uint8_t moduleId, const std::string& text,
                                        std::span<const uint8_t> image)
{
    return firmware_.ProgramSlotFpga(slot, moduleId, text, image, display(description()));
}

void PackageInstallHost::Show(const std::optional<FirmwareMessage>& message)
{
    if (message && message->kind != MessageKind::Information)
        prompter().message(message->kind, message->text);
}

void PackageInstallHost::ShowIoFirmwareResult(int result)
{
    if (result != kTransferCanceled)
        Show(IoFirmwareMessage(result, "FPGA_PRG",
                               channel_.accumulator.empty() ? 0 : uint8_t(channel_.accumulator[0])));
}

void PackageInstallHost::ShowJtagResult(int result)
{
    // Success is said once, at the end of the installation.
    if (result == XSVF_SUCCESS || result == XSVF_TRANSFER_COMPLETE || result == kTransferCanceled)
        return;
    if (result == XSVF_FILE_NOT_FOUND) {
        prompter().error("An error was encountered while updating the FPGA.\r\rUnknown Result: 0x" +
                         HexByteText(firmware_.lastReply()));
        return;
    }
    Show(MainboardFpgaMessage(result, "", firmware_.lastReply()));
}

void PackageInstallHost::ShowSlotResult(int result, int slot)
{
    if (result == kTransferCanceled)
        return;
    if (result == XSVF_FILE_NOT_FOUND) {
        prompter().error("The specified file was not found.\r\rXSVF_FILE_NOT_FOUND");
        return;
    }
    Show(SlotFpgaMessage(result, slot, "", firmware_.lastReply()));
}

int PackageInstallHost::ReadFlashFast(uint32_t address, size_t sectors, std::vector<uint8_t>& image)
{
    FlashTransfer transfer(io_);
    transfer.setOverallBar(&overallBar());
    return transfer.ReadFlashFast(address, sectors, image, &info(), &itemBar());
}

int PackageInstallHost::WriteFlashFast(std::span<const uint8_t> image, uint32_t address)
{
    FlashTransfer transfer(io_);
    transfer.setOverallBar(&overallBar());
    BarText percent(itemBar());
    return transfer.WriteFlashFast({image.begin(), image.end()}, address, &info(), &itemBar(), &percent);
}

bool PackageInstallHost::RestartInDownloadMode(bool waitForConfirmation)
{
    return qv::RestartInDownloadMode(channel_, identity_, !waitForConfirmation);
}

bool PackageInstallHost::RestartRvt()
{
    channel_.rxMode = RxMode::Binary;
    UpdateLink link(channel_);
    // The command goes out once the instrument answers: it may still be
    // booting from the restart before.
    return channel_.Attempt(kRestartAttempts, 0, [&] { return link.Restart(); });
}

bool PackageInstallHost::CheckedWordRead()
{
    channel_.rxMode = RxMode::Binary;
    UpdateLink link(channel_);
    return UpdateInstrumentInfo(link, identity_).CheckedWordRead();
}

bool PackageInstallHost::WriteWord(uint32_t address, uint16_t value)
{
    channel_.rxMode = RxMode::Binary;
    UpdateLink link(channel_);
    return channel_.Attempt(kValueWriteAttempts, 0, [&] { return link.WriteWord(address, value); });
}

bool PackageInstallHost::WriteByte(uint32_t address, uint8_t value)
{
    channel_.rxMode = RxMode::Binary;
    UpdateLink link(channel_);
    return channel_.Attempt(kValueWriteAttempts, 0, [&] { return link.WriteByte(address, value); });
}

bool PackageInstallHost::KeyPress(uint8_t key)
{
    channel_.rxMode = RxMode::Binary;
    return UpdateLink(channel_).KeyPress(key);
}

bool PackageInstallHost::ReadBlocks(uint32_t address, int blocks, uint8_t* destination)
{
    channel_.rxMode = RxMode::Binary;
    UpdateLink link(channel_);
    return UpdateTransfer(link).ReadBlocks(address, blocks, destination, bars());
}

bool PackageInstallHost::WriteBlocks(uint32_t address, int blocks, const uint8_t* source)
{
    channel_.rxMode = RxMode::Binary;
    UpdateLink link(channel_);
    return UpdateTransfer(link).WriteBlocks(address, blocks, source, bars());
}

} // namespace qv
