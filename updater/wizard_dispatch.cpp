// ExecuteCommand: the operation the input box names.
#include "update_wizard.h"

#include "input_recognition.h"
#include "wizard_texts.h"
#include "link/update_download_mode.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/wire_protocol.h"
#include "platform/host/file_io.h"
#include "platform/host/text_case.h"

#include <cctype>
#include <cstdio>

namespace qv {

namespace {

std::string Hex2(uint8_t value)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

constexpr const char* kReloadFailedText = "FPGA Could not be reloaded. Please install the FPGA-Loader.";
constexpr const char* kKeyFailedText = "Keydown could not be set correctly. Please install the FPGA-Loader.";

} // namespace

bool UpdateWizard::ExecuteCommand()
{
    const std::string t = view_.inputText();
    if (Upper(t) == "RVT/R" && !CheckFlashReadFields()) {
        view_.setTag(UpdateControl::Next, kNextExecute);
        return false;
    }
    if (t != "RVT/I" && t != "RVT/DLM" && !ConfirmUpdate()) {
        ShowPage("START");
        view_.setTag(UpdateControl::Next, kNextToFileSelection);
        return false;
    }
    view_.setTag(UpdateControl::Next, kNextFinished);
    view_.enable(UpdateControl::Next, false);
    view_.enable(UpdateControl::Exit, false);
    for (WizardControl control : {WizardControl::FileName, WizardControl::Filename, WizardControl::Advanced})
        view_.enableWizard(control, false);
    running_ = true;
    cancelRequested_ = false;
    const bool done = Dispatch(t);
    running_ = false;
    // What Cancel does, once the operation has let go of the port.
    if (cancelRequested_) {
        ShowPage("START");
        view_.setTag(UpdateControl::Next, kNextToFileSelection);
    }
    view_.enable(UpdateControl::Next, true);
    return done;
}

bool UpdateWizard::Dispatch(const std::string& t)
{
    const bool io = identity_.ioInterfacePresent;
    if (t == "MCU/ERASE" && io)
        return EraseIoFirmware();
    if (t == "ETH/RESET" && io)
        return ResetEthernetSettings();
    if (t == "RVT/DLM")
        return ActivateDownloadMode();
    if (t == "MCU/BIOS")
        return IoModuleStep("Restarting instrument in BIOS-Mode - Please Wait...", kReloadFailedText,
                            [&] { return io_.EnterBiosMode(); });
    if (t == "MCU/FPGAReload")
        return IoModuleStep("Reloading FPGA - Please Wait...", kReloadFailedText, [&] { return io_.ReloadFpga(); });
    if (t == "MCU/KEYD" || t == "MCU/KEYU")
        return IoModuleStep("Setting Keydown - Please Wait...", kKeyFailedText,
                            [&] { return io_.SetKeyDown(t == "MCU/KEYD"); });
    if (t == "RVT/I")
        return RestartRvt();
    if (t.starts_with("CMD/"))
        return SendText(t.substr(4));
    if ((EndsWithNoCase(t, ".HEX") || Upper(t) == "MCU/FPGA") && io)
        return InstallIoFirmwareFile(t);
    if (EndsWithNoCase(t, "XSVF") && io)
        return ProgramMainboardFpga(t);
    if (HasModuleFirmwareExtension(t) && io)
        return ProgramModuleFpga(t);
    if (io_.spiMode < at::kSpiNotSupportedByIo && HasDspExtension(t))
        return WriteFlashFastFile(t);
    if (EndsWithNoCase(t, ".PRE"))
        return DownloadPresetFile(t);
    if (HasDspExtension(t))
        return DownloadDspFile(t);
    if (EndsWithNoCase(t, ".CDP"))
        return InstallPackageFile(t);
    if (Upper(t) == "RVT/R")
        return ReadMainboardFlash();
    prompter_.error(kNotSupportedText);
    return false;
}

void UpdateWizard::ShowBar(int64_t position, int64_t maximum, const char* percent)
{
    Progress& bar = view_.bar(WizardBar::Progress);
    bar.setMaximum(maximum);
    bar.setPosition(position);
    view_.panel(WizardText::Time).setText(percent);
}

void UpdateWizard::Inform(const std::string& text)
{
    if (!quiet)
        prompter_.information(text);
}

bool UpdateWizard::EraseIoFirmware()
{
    io_.SetIoMode(true);
    Progress& bar = view_.bar(WizardBar::Progress);
    bar.setMaximum(kEraseBarMaximum);
    bar.setPosition(0);
    const int result = io_.EraseIoFlash(&info(), &bar);
    if (result != kIoFlashErased) {
        const uint8_t first = channel_.accumulator.empty() ? 0 : uint8_t(channel_.accumulator[0]);
        prompter_.error("An error was encountered while erasing the I/O Firmware.\r\rUnknown Result: 0x" +
                        Hex2(first) + "\r\rPlease disconnect the USB cable and repower the instrument.");
        return false;
    }
    bar.setPosition(bar.maximum());
    info().setText("Flash Erased.");
    Inform("The I/O Firmware was erased correctly.");
    channel_.host().clock.sleepMs(kFinishedPauseMs);
    return true;
}

bool UpdateWizard::ResetEthernetSettings()
{
    io_.SetIoMode(true);
    ShowBar(0, 2, "0%");
    info().setText("Resetting ethernet settings in instrument...");
    ShowBar(1, 2, "50%");
    const bool reset = io_.ResetEthernet();
    if (reset) {
        info().setText("Done.");
    } else {
        info().setText("The ethernet settings could not be reset.");
        prompter_.error("An error was encountered while resetting the ethernet settings.");
    }
    // The module restarts its network with the defaults.
    channel_.port().write(at::kRestartByte);
    channel_.port().close();
    ShowBar(2, 2, "100 %");
    view_.setTag(UpdateControl::Next, kNextPortClosed);
    view_.enable(UpdateControl::Next, true);
    return reset;
}

bool UpdateWizard::ActivateDownloadMode()
{
    info().setText("Activating Download Mode - Please Wait...");
    ShowBar(0, 2, "0%");
    io_.SetIoMode(false);
    ShowBar(1, 2, "50%");
    // Nothing is sent to an instrument that does not answer text commands.
    const bool requested = identity_.textInfoReceived && !identity_.biosMode;
    if (requested)
        RestartInDownloadMode(channel_, identity_, true);
    ShowBar(2, 2, "100 %");
    info().setText("Done.");
    return requested;
}

bool UpdateWizard::IoModuleStep(const char* busyText, const char* failureText, const std::function<bool()>& step)
{
    ShowBar(0, 2, "0%");
    info().setText(busyText);
    ShowBar(1, 2, "50%");
    const bool ok = step();
    info().setText(ok ? "Done." : failureText);
    ShowBar(2, 2, "100 %");
    return ok;
}

bool UpdateWizard::RestartRvt()
{
    return io_.RestartInstrument(&view_.bar(WizardBar::Progress), &info(), &view_.panel(WizardText::Time));
}

bool UpdateWizard::SendText(const std::string& text)
{
    io_.SetIoMode(false);
    channel_.ClearRx();
    return channel_.port().write(text + "\r");
}

bool UpdateWizard::DownloadDspFile(const std::string& path)
{
    // Checked before the instrument is touched.
    std::vector<uint8_t> bytes;
    if (!LoadDspFile(path, "The file \"" + path + "\" was not found.", bytes))
        return false;
    view_.enable(UpdateControl::Next, false);
    info().setText("Reading DSP-File...");
    io_.SetIoMode(false);
    info().setText("Activating Downloadmode...");
    RestartInDownloadMode(channel_, identity_, false);
    info().setText("Downloading DSP-File...");
    const uint32_t address = uint32_t(DspStartSector(path)) * wire::kBlockSize;
    if (!WriteDspSectors(address, bytes)) {
        prompter_.error("An error was encountered during the software update.");
        view_.panel(WizardText::PresetInfo).setText("Done.");
        return false;
    }
    info().setText("Restarting Instrument...");
    ShowBar(1, 2, "50%");
    UpdateLink(channel_).Restart();
    ShowBar(2, 2, "100 %");
    info().setText("Done.");
    Inform("The DSP-Software was updated correctly.\rPress NEXT to continue.");
    return true;
}

bool UpdateWizard::WriteDspSectors(uint32_t address, const std::vector<uint8_t>& bytes)
{
    // Whole sectors only; a file without one has nothing to write.
    const int sectors = int(bytes.size() / wire::kBlockSize);
    Progress& bar = view_.bar(WizardBar::Progress);
    bar.setMaximum(int64_t(sectors) * int64_t(wire::kBlockSize));
    bar.setPosition(0);
    channel_.rxMode = RxMode::Binary;
    UpdateLink link(channel_);
    return UpdateTransfer(link).WriteBlocks(address, sectors, bytes.data(), {&bar, nullptr});
}

} // namespace qv
