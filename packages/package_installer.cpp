// InstallPackage: the run around the items.
#include "package_installer.h"

#include "backup_writer.h"
#include "cdp_check.h"
#include "cdp_format.h"
#include "cdp_selection.h"
#include "link/elapsed_text.h"
#include "link/identity_tables.h"
#include "link/wire_protocol.h"
#include "platform/host/clock.h"
#include "platform/host/file_io.h"
#include "platform/host/prompter.h"

#include <algorithm>
#include <cstdio>

namespace qv {

namespace {

// A package is read whole; anything larger is no package of ours.
constexpr size_t kPackageReadLimit = size_t(64) << 20;
constexpr uint32_t kPreparationTypeBits = 0x0081E000; // type codes 14 to 17 and 24
constexpr int kLargestKey = 0xFF;

constexpr const char* kNoValidDataText = "This file does not contain any valid data for this instrument.";
constexpr const char* kUsbAdviceText =
    "The instrument is connected through the serial connection,\rit is advised to connect the instrument using "
    "the USB connection.\r\rIf it is not possible to connect using the USB connection,\rplease make sure that the "
    "serial connection supports a data rate of 115200 baud.\r\rDo you wish to proceed?";
constexpr const char* kNotCompletedText = "The software update was not completed.";

bool NeedsPreparation(int type)
{
    return (type >= 14 && type <= 19) || type == 24;
}

bool TransferFailed(int result)
{
    return result != 0 && result != 27;
}

std::string ItemName(size_t index, const CdpItem& item)
{
    return "Item " + std::to_string(index + 1) + " ('" + item.description + "')";
}

} // namespace

PackageInstaller::PackageInstaller(InstallTarget& target, InstallView& view) : t_(target), v_(view) {}

InstallOutcome PackageInstaller::InstallPackage(const std::string& path, const std::optional<std::string>& backupFile)
{
    run_ = {};
    v_.overallBar().setPosition(0);
    FileRead file = ReadFileUpTo(path, kPackageReadLimit);
    if (file.status == FileRead::Status::NotFound)
        return InstallOutcome::NotStarted;
    ChooseTypeIfUnknown();
    if (!CheckPackage(path, std::move(file)) || !ItemsFitTheInstrument())
        return InstallOutcome::NotStarted;
    if (!AnyItemFor(RefinableTypes(t_.identity().type)) && !run_.package.items.empty()) {
        t_.prompter().error(kNoValidDataText);
        return InstallOutcome::NotStarted;
    }
    if (UsbAdviceDeclined())
        return InstallOutcome::UsbDeclined;
    if (NeedsPreparation(t_.identity().type)) {
        const InstallOutcome prepared = PrepareHardware();
        if (prepared != InstallOutcome::Done)
            return prepared;
    }
    Plan(backupFile.has_value());
    if (run_.plan.selected.empty() && !run_.package.items.empty())
        return EndWithoutItems(kNoValidDataText);

    v_.setPackageTitle(run_.package.header.description);
    run_.startMs = t_.clock().nowMs();
    // The request is text for the instrument: the I/O-interface must pass it on.
    t_.SetIoMode(false);
    t_.RestartInDownloadMode(true);
    if (backupFile) {
        if (t_.stopped())
            return Cancelled();
        if (!ReadBackup(*backupFile))
            return EndWithoutItems(run_.failure);
    }
    for (size_t index : run_.plan.selected) {
        if (t_.stopped())
            return Cancelled();
        if (TransferFailed(run_.lastTransferResult) || run_.failedItem)
            break;
        run_.current = index;
        RunItem(index);
        // Cut short by Cancel, the item stays the one to name.
        if (!t_.stopped())
            run_.current.reset();
    }
    return Ending();
}

void PackageInstaller::ChooseTypeIfUnknown()
{
    UpdateIdentity& identity = t_.identity();
    if (identity.type != kTypeUnknown && identity.type != kTypeNotConnected && identity.type != kTypeBiosMode)
        return;
    if (const auto chosen = t_.ChooseBiosType()) {
        identity.type = *chosen;
        identity.typeName = TypeName(Program::Update, *chosen);
    }
}

bool PackageInstaller::CheckPackage(const std::string& path, FileRead read)
{
    if (read.status != FileRead::Status::Ok) {
        t_.prompter().error("The file \"" + path + "\" could not be read.\r\r" +
                            (read.status == FileRead::Status::TooLarge ? "It is too large for a package."
                                                                       : read.error));
        return false;
    }
    run_.file = std::move(read.bytes);
    CdpCheck check = VerifyFileHeader(Program::Update, run_.file, t_.prompter());
    if (!check.valid)
        return false;
    run_.package = std::move(check.package);
    return true;
}

// Bad items are refused before anything is sent: an address past the
// instrument's memory would wrap round to its start, and a key code above
// 255 names no key.
bool PackageInstaller::ItemsFitTheInstrument()
{
    for (size_t i = 0; i < run_.package.items.size(); ++i) {
        const CdpItem& item = run_.package.items[i];
        std::string problem;
        uint64_t length = 0;
        switch (item.kind) {
        case kCdpSoftwareBlock:
            length = item.size;
            break;
        case kCdpWriteWord:
        case kCdpAskWord:
            length = 2;
            break;
        case kCdpWriteByte:
            length = 1;
            break;
        case kCdpKeyPress:
            if (item.value() > kLargestKey)
                problem = "the key code " + std::to_string(item.value()) + " is no key of the instrument.";
            break;
        default:
            break;
        }
        if (length > 0 && !wire::InAddressSpace(item.address, length))
            problem = wire::AddressRangeError(item.address, length);
        if (!problem.empty()) {
            t_.prompter().error(ItemName(i, item) + " cannot be installed:\r" + problem +
                                "\r\rNothing was sent to the instrument.");
            return false;
        }
    }
    return true;
}

bool PackageInstaller::AnyItemFor(const std::vector<int>& types) const
{
    for (const CdpItem& item : run_.package.items)
        for (int type : types)
            if (IsItemSelected(item.mask, type))
                return true;
    return false;
}

bool PackageInstaller::UsbAdviceDeclined()
{
    const std::string& version = run_.package.header.version;
    if ((version != "0002" && version != "0003") || t_.usbConnection() || !t_.usbSupported())
        return false;
    return t_.prompter().message(MessageKind::Warning, kUsbAdviceText, ButtonYesNo, Answer::Yes) != Answer::Yes;
}

InstallOutcome PackageInstaller::PrepareHardware()
{
    for (const CdpItem& item : run_.package.items) {
        if (t_.stopped())
            return Cancelled();
        // The instrument leaves the running software before the I/O module changes.
        t_.SetIoMode(false);
        t_.SendText(".\r\r\r");
        t_.Wait(kPrepareSettleMs);
        t_.RestartInDownloadMode(true);
        t_.Wait(kPrepareSettleMs);
        if (!(item.mask & kPreparationTypeBits))
            continue;

        t_.SetIoMode(true);
        v_.setItemDescription("Verifying hardware version...");
        const int loader = t_.InstallFpgaLoader();
        if (loader != 256) {
            t_.ShowIoFirmwareResult(loader);
            // Not left in download mode: the wizard disconnects next.
            t_.RestartInstrument();
            return InstallOutcome::PreparationFailed;
        }
        v_.setItemDescription("Please wait while the I/O Module restarts.");
        t_.WaitIoRestart();
        if (t_.stopped()) {
            v_.setItemDescription("Operation cancelled.");
            return Cancelled();
        }
        v_.setItemDescription("Reconnecting to I/O Module.");
        t_.Wait(kIoReconnectMs);
        t_.DetectIoInterface(false);

        UpdateIdentity& identity = t_.identity();
        const int fpga = t_.GetFpgaType();
        if (fpga == 1 || fpga == 2) {
            if (identity.type == 14 || identity.type == 15)
                identity.type = fpga == 1 ? 14 : 15;
            else if (identity.type >= 16 && identity.type <= 19)
                identity.type = fpga == 1 ? 16 : 17;
            identity.typeName = TypeName(Program::Update, identity.type);
        }
        t_.setSlotModuleIds(t_.ReadModuleIds());
        v_.itemBar().setPosition(0);
        t_.SetIoMode(false);
        t_.SetKeyDown(false);
        // The key command leaves the module in command mode; the instrument
        // is reached through it only when it is transparent again.
        t_.SetIoMode(false);
        break;
    }
    return InstallOutcome::Done;
}

void PackageInstaller::Plan(bool backup)
{
    const UpdateIdentity& identity = t_.identity();
    PlanFacts facts;
    facts.type = identity.type;
    facts.biosMode = identity.biosMode;
    facts.ioInterface = identity.ioInterfacePresent;
    facts.backup = backup;
    facts.fpgaLoaderLines = t_.FpgaLoaderLines().size();
    facts.slotIds = t_.slotModuleIds();
    run_.plan = PlanInstall(run_.package, facts);
    run_.wholeMemory = run_.plan.wholeMemory;
    v_.overallBar().setMaximum(run_.plan.total);
}

bool PackageInstaller::ReadBackup(const std::string& file)
{
    const UpdateIdentity& identity = t_.identity();
    const int sectors = FlashSectors(identity.type);
    v_.itemBar().setMaximum(int64_t(sectors) * int64_t(wire::kBlockSize));
    v_.setItemDescription("Uploading DSP-Software to: " + file);
    if (NeedsPreparation(identity.type)) {
        t_.EnterBiosMode();
        t_.Wait(kBiosStartMs);
        HighSpeed(true);
        run_.image.clear();
        run_.imageTransferCode = t_.ReadFlashFast(0, size_t(sectors), run_.image);
        HighSpeed(false);
        run_.backupRead = run_.imageTransferCode == 27;
        if (!t_.stopped())
            BackToDownloadMode();
    } else {
        run_.image.assign(size_t(sectors) * wire::kBlockSize, 0);
        v_.itemBar().setPosition(0);
        run_.backupRead = t_.ReadBlocks(0, sectors, run_.image.data());
    }
    if (t_.stopped())
        return true; // the loop ends the run as a Cancel
    if (!run_.backupRead) {
        run_.image.clear();
        run_.failure = "The software in the instrument could not be read for the backup.";
        return false;
    }
    std::string error;
    if (!WriteUpdateBackup(file, run_.image, identity.type, identity.serial, error)) {
        run_.failure = "The backup file '" + file + "' could not be written:\r" + error;
        return false;
    }
    run_.backupFile = file;
    return true;
}

// The flash was read in BIOS mode; the items expect the instrument where
// the installation put it, in download mode.
void PackageInstaller::BackToDownloadMode()
{
    t_.SetKeyDown(false);
    t_.ReloadFpga();
    t_.Wait(kBootMs);
    t_.SetIoMode(false);
    t_.RestartInDownloadMode(true);
}

InstallOutcome PackageInstaller::EndWithoutItems(const std::string& error)
{
    run_.image.clear();
    t_.SetIoMode(false);
    t_.RestartInstrument();
    v_.setItemDescription(kNotCompletedText);
    t_.prompter().error(error + "\r\rNothing was installed; the instrument was restarted.");
    return InstallOutcome::Failed;
}

InstallOutcome PackageInstaller::Cancelled()
{
    std::string text = "The software installation was cancelled.";
    if (run_.current)
        text += "\r\r" + NotCompletedText(*run_.current);
    t_.prompter().message(MessageKind::Warning, text + "\r\rThe instrument was not restarted.");
    return InstallOutcome::Cancelled;
}

std::string PackageInstaller::NotCompletedText(size_t index) const
{
    std::string text = ItemName(index, run_.package.items[index]) + " was not completed.";
    if (!run_.changed)
        return text;
    if (!run_.backupFile.empty())
        return text + "\rThe backup file '" + run_.backupFile +
               "' can be installed to restore the previous software.";
    return text + "\rNo backup of the previous software was made.";
}

InstallOutcome PackageInstaller::Ending()
{
    run_.image.clear();
    t_.SetIoMode(false);
    if (t_.stopped())
        return Cancelled();
    const bool failed = run_.failedItem.has_value();
    if (!failed) {
        for (Progress* bar : {&v_.itemBar(), &v_.overallBar()}) {
            bar->setText("100 %");
            bar->setPosition(bar->maximum());
        }
        v_.setItemDescription("Done.");
    }
    t_.RestartInstrument();
    const std::string elapsed = ElapsedText(t_.clock().nowMs() - run_.startMs);
    if (failed)
        v_.setItemDescription(kNotCompletedText);
    else
        v_.startProgressDrain();
    return Report(elapsed);
}

namespace {

std::string IdList(const InstallTarget::SlotIds& ids)
{
    std::string text;
    for (uint8_t id : ids) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", unsigned(id));
        text += hex;
    }
    return text;
}

constexpr const char* kContactText = "\r\rIf the problem persists please contact Qvella A/S.";

} // namespace

InstallOutcome PackageInstaller::Report(const std::string& elapsed)
{
    Prompter& prompter = t_.prompter();
    const bool io = t_.identity().ioInterfacePresent;
    if (run_.failedItem) {
        const std::string item = "\r\r" + NotCompletedText(*run_.failedItem);
        if (run_.failure.empty())
            prompter.error(std::string("An error was encountered while updating the FPGA.\r") + kNotCompletedText +
                           kContactText + item);
        else
            prompter.error(std::string(kNotCompletedText) + "\r" + run_.failure + item);
        return InstallOutcome::Failed;
    }
    const auto slot = std::find_if(run_.slotResults.begin(), run_.slotResults.end(), [](int r) { return r != 0; });
    if (io && slot != run_.slotResults.end()) {
        const std::string n = std::to_string(slot - run_.slotResults.begin() + 1);
        prompter.error("An error was encountered while updating the the firmware in the module in slot #" + n +
                       ".\rThe software update was not completed correctly." + kContactText + "\r\r" +
                       NotCompletedText(run_.failedSlotItem.value_or(0)));
        return InstallOutcome::Failed;
    }
    const InstallTarget::SlotIds slotIds = t_.slotModuleIds();
    for (size_t n = 0; n < slotIds.size(); ++n) {
        const uint8_t after = run_.moduleIdsAfter[n];
        if (after != 0 && after != 0xFF && after != slotIds[n]) {
            prompter.message(MessageKind::Warning,
                             "Some modules was not updated correctly.\rPlease run the update one more time.\r\r1. " +
                                 IdList(slotIds) + "\r2. " + IdList(run_.moduleIdsAfter));
            return InstallOutcome::Incomplete;
        }
    }
    if (run_.biosSkip) {
        prompter.message(MessageKind::Warning,
                         "The instrument was in BIOS-Mode, some operations could not be performed,\rplease verify "
                         "that the instrument has booted normally and execute the update one more time.\r\rPress "
                         "NEXT to continue.");
        return InstallOutcome::Incomplete;
    }
    if (!run_.notRun.empty()) {
        std::string text = "The software installation is not complete. These items were not run:";
        for (size_t index : run_.notRun) {
            const CdpItem& item = run_.package.items[index];
            text += "\r" + ItemName(index, item) + ", kind " + std::to_string(item.kind) +
                    (IsUpdateKind(item.kind) ? ": it needs an I/O-interface." : ": a kind this QV-Update does not know.");
        }
        prompter.message(MessageKind::Warning, text + "\r\rPress NEXT to continue.");
        return InstallOutcome::Incomplete;
    }
    std::string text = "The software installation is complete. Elapsed Time: " + elapsed + "\r";
    if (!run_.backupFile.empty())
        text += "A backup of the Instrument-Software was created with the name '" + run_.backupFile + "'\r";
    prompter.information(text + "\rPress NEXT to continue.");
    return InstallOutcome::Done;
}

void PackageInstaller::Fail(size_t index, const std::string& why)
{
    run_.failedItem = index;
    run_.failure = why;
}

} // namespace qv
