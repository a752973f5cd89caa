// The dispatcher's firmware jobs: I/O firmware from HEX or the FPGA loader,
// XSVF images for the mainboard FPGA, and images for the expansion modules.
#include "update_wizard.h"

#include "input_recognition.h"
#include "xsvf.h"
#include "link/update_download_mode.h"
#include "platform/host/file_io.h"

namespace qv {

namespace {

constexpr const char* kMainboardFpgaText = "FPGA Programming in Progress...";

} // namespace

FirmwareDisplay UpdateWizard::FileDisplay()
{
    return {&info(), {&view_.bar(WizardBar::Progress), nullptr}};
}

uint8_t UpdateWizard::FirstReceived() const
{
    return channel_.accumulator.empty() ? 0 : uint8_t(channel_.accumulator[0]);
}

void UpdateWizard::Show(const std::optional<FirmwareMessage>& message)
{
    if (!message)
        return;
    if (message->kind == MessageKind::Information)
        Inform(message->text);
    else
        prompter_.message(message->kind, message->text);
}

bool UpdateWizard::InstallIoFirmwareFile(const std::string& source)
{
    view_.setBannerBusy(true);
    const int result = firmware_.InstallIoFirmware(source, FileDisplay());
    view_.setTag(UpdateControl::Next, kNextFinished);
    view_.setBannerBusy(false);
    Show(IoFirmwareMessage(result, source, FirstReceived()));
    return result == IOFW_LOAD_OK;
}

bool UpdateWizard::ReadFpgaImage(const std::string& path, bool xsvfImage, std::vector<uint8_t>& image)
{
    std::string error;
    if (!ReadWholeFile(path, image, error)) {
        Show(MainboardFpgaMessage(XSVF_FILE_NOT_FOUND, path, 0));
        return false;
    }
    if (!xsvfImage)
        return true;
    // The module's player would stop in the middle of an image it cannot
    // read, and leave the FPGA unconfigured: such an image is not sent.
    const xsvf::Listing listing = xsvf::Read(image);
    if (listing.result == xsvf::DecodeResult::Ok)
        return true;
    prompter_.error("The file \"" + path + "\" is no valid XSVF image: " + xsvf::DescribeError(listing, image) +
                    ".\r\rNothing was sent to the instrument.");
    return false;
}

bool UpdateWizard::PrepareFpgaJob()
{
    // The instrument's software stays out of the way while the FPGA changes.
    if (identity_.textInfoReceived && !identity_.biosMode) {
        io_.SetIoMode(false);
        RestartInDownloadMode(channel_, identity_, true);
    }
    io_.SetIoMode(true);
    if (fpgaLoaderDisabled)
        return true;
    if (firmware_.InstallIoFirmware("MCU/FPGA", FileDisplay()) == IOFW_LOAD_OK)
        return true;
    prompter_.error(LoaderFailedText(FirstReceived()));
    return false;
}

bool UpdateWizard::ProgramMainboardFpga(const std::string& path)
{
    std::vector<uint8_t> image;
    if (!ReadFpgaImage(path, true, image))
        return false;
    view_.setBannerBusy(true);
    int result = -1;
    if (PrepareFpgaJob()) {
        view_.bar(WizardBar::Progress).setPosition(0);
        if (io_.status.interface == at::kInterfaceSerial)
            io_.SetLinkSpeed(true);
        view_.enable(UpdateControl::Exit, true);
        result = firmware_.ProgramJtag(image, kMainboardFpgaText, FileDisplay());
        view_.enable(UpdateControl::Exit, false);
        // The link goes back to its low speed after a Cancel too.
        channel_.ResetAbort();
        Show(MainboardFpgaMessage(result, path, firmware_.lastReply()));
    }
    io_.SetLinkSpeed(false);
    view_.setBannerBusy(false);
    info().setText("Done.");
    return result == XSVF_SUCCESS;
}

bool UpdateWizard::ProgramModuleFpga(const std::string& path)
{
    std::vector<uint8_t> image;
    if (!ReadFpgaImage(path, false, image))
        return false;
    const auto target = uint8_t(ModuleFirmwareCode(path));
    view_.setBannerBusy(true);
    bool done = false;
    if (PrepareFpgaJob()) {
        view_.bar(WizardBar::Progress).setPosition(0);
        const bool serial = io_.status.interface == at::kInterfaceSerial;
        if (serial)
            io_.SetLinkSpeed(true);
        ModuleSelection selection(target, io_.ReadModuleIds());
        if (!selection.okEnabled())
            prompter_.message(MessageKind::Warning, selection.noneDetectedText());
        if (view_.selectModules(selection)) {
            done = ProgramSelectedSlots(selection, path, image);
            if (done)
                Inform("The FPGA code was updated correctly.");
        } else {
            prompter_.message(MessageKind::Warning, kFpgaCanceledText);
        }
        if (serial)
            io_.SetLinkSpeed(false);
    }
    // Back out of the download mode the job put the instrument in.
    io_.RestartInstrument(&view_.bar(WizardBar::Progress), &info(), &view_.panel(WizardText::Time));
    view_.setBannerBusy(false);
    return done;
}

bool UpdateWizard::ProgramSelectedSlots(const ModuleSelection& selection, const std::string& path,
                                        const std::vector<uint8_t>& image)
{
    const uint8_t target = selection.target();
    // Every slot counts: a later success does not make up for an earlier failure.
    bool allDone = true;
    view_.enable(UpdateControl::Exit, true);
    for (int slot = 1; slot <= ModuleSelection::kSlots; ++slot) {
        if (selection.slotIds()[size_t(slot - 1)] != target)
            continue;
        const std::string text =
            "Programming " + at::ModuleName(target) + " in slot #" + std::to_string(slot) + "...";
        const int result = firmware_.ProgramSlotFpga(slot, target, text, image, FileDisplay());
        allDone &= result == XSVF_SUCCESS || result == XSVF_TRANSFER_COMPLETE;
        Show(SlotFpgaMessage(result, slot, path, firmware_.lastReply()));
        if (result == kTransferCanceled)
            break;
    }
    view_.enable(UpdateControl::Exit, false);
    return allDone;
}

} // namespace qv
