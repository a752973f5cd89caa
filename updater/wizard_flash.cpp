// The mainboard flash: the read page, the flash read, and DSP files written
// through the I/O-interface's fast path.
#include "update_wizard.h"

#include "flash_transfer.h"
#include "input_recognition.h"
#include "wizard_texts.h"
#include "link/elapsed_text.h"
#include "link/identity_tables.h"
#include "link/update_download_mode.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/wire_protocol.h"
#include "platform/host/file_io.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace qv {

namespace {

// The instrument restarts in BIOS mode before the module reads its flash.
constexpr int kBiosStartMs = 5000;

constexpr const char* kFastWriteError = "An error occoured while programming the FLASH memory.";

std::string UnknownFastWriteText(uint8_t first, const std::string& received)
{
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", first);
    return std::string("An error was encountered while updating the FLASH memory.\r\rUnknown Result: 0x") + hex +
           "\r\r" + received;
}

} // namespace

bool UpdateWizard::UseHighSpeed() const
{
    return identity_.ioInterfacePresent && io_.status.interface != at::kInterfaceUsb;
}

void UpdateWizard::PollFor(int ms)
{
    for (int waited = 0; waited < ms && !channel_.aborted(); waited += UpdateChannel::kPollMs)
        channel_.Poll();
}

void UpdateWizard::PrepareFlashReadPage()
{
    const bool fast = io_.spiMode < at::kSpiNotSupportedByIo;
    view_.enableWizard(WizardControl::FlashRead, true);
    view_.enableWizard(WizardControl::FastMode, fast);
    view_.setChecked(WizardControl::FastMode, fast);
    view_.panel(WizardText::FlashSectors).setText(std::to_string(FlashSectors(identity_.type)));
    view_.panel(WizardText::FlashPercent).setText("");
    view_.panel(WizardText::FlashStatus).setText(kStartUpdateText);
    view_.bar(WizardBar::Flash).setPosition(0);
}

void UpdateWizard::btnRDMBFlashFileClick()
{
    const auto chosen = prompter_.saveFile("Save As", "All Files (*.*)|*.*|", view_.text(WizardText::FlashFile));
    if (chosen)
        view_.panel(WizardText::FlashFile).setText(*chosen);
}

bool UpdateWizard::CheckFlashReadFields()
{
    flashRead_.reset();
    const FlashReadFields fields{view_.text(WizardText::FlashFile), view_.text(WizardText::FlashAddress),
                                 view_.text(WizardText::FlashSectors)};
    const FlashReadCheck check = CheckFlashRead(fields, FlashSectors(identity_.type), keepFlashFileName);
    if (check.file != fields.file)
        view_.panel(WizardText::FlashFile).setText(check.file);
    if (!check.error.empty()) {
        prompter_.error(check.error);
        return false;
    }
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(check.file, error))) {
        if (!prompter_.confirm("The File \"" + check.file + "\" already exists.\rDo you wish to replace the file?"))
            return false;
        // A folder of that name is not ours to delete.
        if (std::filesystem::is_directory(check.file, error) || !std::filesystem::remove(check.file, error)) {
            prompter_.error("Could not delete the file \"" + check.file + "\".");
            return false;
        }
    }
    flashRead_ = check;
    return true;
}

bool UpdateWizard::ReadMainboardFlash()
{
    // The fields are checked first, in ExecuteCommand.
    if (!flashRead_)
        return false;
    const FlashReadCheck read = *flashRead_;
    flashRead_.reset();
    const bool fast = view_.checked(WizardControl::FastMode);
    StatusPanel& status = view_.panel(WizardText::FlashStatus);
    Progress& bar = view_.bar(WizardBar::Flash);
    Clock& clock = channel_.host().clock;

    ShowPage("RDMB_DISABLE");
    view_.setBannerBusy(true);
    io_.SetIoMode(false);
    status.setText("Activating Downloadmode...");
    if (fast) {
        io_.EnterBiosMode();
        PollFor(kBiosStartMs);
    } else {
        RestartInDownloadMode(channel_, identity_, false);
    }
    const bool highSpeed = UseHighSpeed();
    if (highSpeed)
        io_.SetLinkSpeed(true);
    status.setText("Reading FLASH memory...");
    const int64_t startMs = clock.nowMs();
    std::vector<uint8_t> data;
    const int result = fast ? FlashTransfer(io_).ReadFlashFast(read.address, read.sectors, data, &status, &bar)
                            : ReadFlashBlocks(read, data);
    // Only a complete read becomes a file: a part of the flash under the
    // name of the whole would be taken for it.
    const bool saved = result == flash::kDone && SaveFlashFile(read.file, data);
    const std::string elapsed = ElapsedText(clock.nowMs() - startMs);
    if (highSpeed)
        io_.SetLinkSpeed(false);
    status.setText("Done.");
    io_.RestartInstrument(&bar, &status, &view_.panel(WizardText::FlashPercent));
    if (result != flash::kDone)
        prompter_.error("An error occoured while reading the FLASH memory.\r\rElapsed Time: " + elapsed);
    else if (saved)
        Inform("The FLASH memory was read correctly.\r\rElapsed Time: " + elapsed);
    view_.setBannerBusy(false);
    return saved;
}

int UpdateWizard::ReadFlashBlocks(const FlashReadCheck& read, std::vector<uint8_t>& data)
{
    // The speed change leaves the module in command mode.
    io_.SetIoMode(false);
    channel_.rxMode = RxMode::Binary;
    Progress& bar = view_.bar(WizardBar::Flash);
    bar.setMaximum(int64_t(read.sectors) * int64_t(wire::kBlockSize));
    bar.setPosition(0);
    UpdateLink link(channel_);
    return UpdateTransfer(link).ReadToBuffer(read.address, int(read.sectors), data, {&bar, nullptr});
}

bool UpdateWizard::SaveFlashFile(const std::string& path, const std::vector<uint8_t>& data)
{
    std::string error;
    if (WriteFileAtomically(path, data, error))
        return true;
    prompter_.error("The file \"" + path + "\" could not be written.\r\r" + error);
    return false;
}

bool UpdateWizard::LoadDspFile(const std::string& path, const std::string& notFoundText, std::vector<uint8_t>& bytes)
{
    FileRead file = ReadFileUpTo(path, kDspBufferBytes);
    switch (file.status) {
    case FileRead::Status::Ok:
        bytes = std::move(file.bytes);
        return true;
    case FileRead::Status::NotFound:
        prompter_.error(notFoundText);
        return false;
    case FileRead::Status::TooLarge:
        prompter_.error("The file \"" + path + "\" is larger than " + std::to_string(kDspBufferBytes) +
                        " bytes and cannot be downloaded.");
        return false;
    default:
        prompter_.error("The file \"" + path + "\" could not be read.\r\r" + file.error);
        return false;
    }
}

bool UpdateWizard::WriteFlashFastFile(const std::string& path)
{
    std::vector<uint8_t> image;
    if (!LoadDspFile(path, "The file \"" + path + "\" was not found.\rPlease specify another filename.", image))
        return false;
    FlashTransfer transfer(io_);
    // A module that cannot write the flash leaves the instrument running.
    if (const int refused = transfer.Refusal()) {
        info().setText(kFastWriteError);
        ShowFastWriteResult(refused, transfer, ElapsedText(0));
        return false;
    }
    Clock& clock = channel_.host().clock;
    view_.setBannerBusy(true);
    const int64_t startMs = clock.nowMs();
    const bool highSpeed = UseHighSpeed();
    if (highSpeed)
        io_.SetLinkSpeed(true);
    io_.SetIoMode(false);
    info().setText("Activating Downloadmode...");
    RestartInDownloadMode(channel_, identity_, false);
    io_.SetIoMode(true);
    io_.ReadFlashIdentity();

    const uint32_t address = uint32_t(DspStartSector(path)) * uint32_t(flash::kSectorBytes);
    const int result = transfer.WriteFlashFast(image, address, &info(), &view_.bar(WizardBar::Progress),
                                               &view_.panel(WizardText::Time));
    if (result == flash::kDone) {
        info().setText("Restarting Instrument - Please wait...");
        io_.SetKeyDown(false);
        io_.ReloadFpga();
    } else {
        info().setText(kFastWriteError);
    }
    ShowFastWriteResult(result, transfer, ElapsedText(clock.nowMs() - startMs));
    if (highSpeed)
        io_.SetLinkSpeed(false);
    view_.setBannerBusy(false);
    return result == flash::kDone;
}

void UpdateWizard::ShowFastWriteResult(int result, const FlashTransfer& transfer, const std::string& elapsed)
{
    switch (result) {
    case flash::kDone:
        info().setText("FLASH Programming completed.");
        Inform("The FLASH memory was updated correctly.\r\rElapsed Time: " + elapsed);
        break;
    case flash::kChecksumError:
        prompter_.error("A CRC error was encountered while updating the FLASH memory.");
        break;
    case flash::kNotSupported:
        prompter_.message(MessageKind::Warning,
                          "The I/O firmware does not support FLASH memory upgrade.\rPlease contact technical support.");
        break;
    case flash::kNotRunMode:
        prompter_.message(MessageKind::Warning,
                          "The I/O module is not in RUN-Mode.\rPlease contact technical support.");
        break;
    case 1:
    case flash::kNoReply:
        prompter_.error("A unknown error was encountered while updating the FLASH memory.");
        break;
    default:
        prompter_.error(UnknownFastWriteText(transfer.firstReceivedByte(), transfer.receivedText()));
        break;
    }
}

} // namespace qv
