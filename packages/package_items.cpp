// What each item kind of a package does to the instrument, its I/O-interface
// and the run.
#include "package_installer.h"

#include "cdp_format.h"
#include "hex_data.h"
#include "install_plan.h"
#include "config/config_image.h"
#include "link/identity_tables.h"
#include "link/wire_protocol.h"
#include "platform/host/prompter.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace qv {

namespace {

constexpr uint32_t kPatchLimit = 0x40000;   // software blocks below it go into the flash image
constexpr int kSpiNotSupported = 254;       // SpiMode 254 and 255: no fast flash transfers
constexpr int kConfigBlocks = 128;
constexpr int kEraseBarMaximum = 107;
constexpr int kIoFirmwareDone = 256;
constexpr int kFlashErased = 1024;
constexpr int kTransferDone = 27;
constexpr int kNotSupportedBySpi = 241;

bool Succeeded(int transferResult)
{
    return transferResult == 0 || transferResult == kTransferDone;
}

std::string HexAddress(uint32_t address)
{
    char hex[12];
    std::snprintf(hex, sizeof hex, "$%X", unsigned(address));
    return hex;
}

} // namespace

void PackageInstaller::RunItem(size_t index)
{
    const CdpItem& item = run_.package.items[index];
    const UpdateIdentity& identity = t_.identity();
    const bool io = identity.ioInterfacePresent;
    // Items that need the running software are not run in BIOS mode; word
    // and byte items patch the flash image in whole-memory mode instead.
    const bool software = !identity.biosMode || run_.wholeMemory;
    switch (item.kind) {
    case kCdpSoftwareBlock:
        return SoftwareBlock(index, item);
    case kCdpWriteWord:
    case kCdpAskWord:
        if (software)
            return ValueItem(index, item);
        run_.biosSkip = true;
        return;
    case kCdpRestart:
        return Restart(item);
    case kCdpKeyPress:
        return KeyPress(item);
    case kCdpInformation:
    case kCdpWarning:
    case kCdpError:
        return Message(item);
    case kCdpDownloadMode:
        return DownloadMode(item);
    case kCdpUpgradeTo500:
    case kCdpUpgradeTo510:
        if (!identity.biosMode)
            return ConfigUpgrade(index, item);
        run_.biosSkip = true;
        return;
    case kCdpBiosMode:
        return IoModuleStep(item, kBiosStartMs, &InstallTarget::EnterBiosMode);
    case kCdpReloadFpga:
        return IoModuleStep(item, kBiosStartMs, &InstallTarget::ReloadFpga);
    case kCdpKeyLine:
        return KeyLine(item);
    case kCdpWriteByte:
        if (software)
            ValueItem(index, item);
        return;
    default:
        break;
    }
    if (!io || !IsUpdateKind(item.kind)) {
        // Not run: said at the end, so that nothing counts as done that was not.
        run_.notRun.push_back(index);
        return;
    }
    switch (item.kind) {
    case kCdpMainboardFpga:
        return MainboardFpga(index, item);
    case kCdpIoFirmware:
    case kCdpBuiltInIoFirmware:
        return IoFirmware(index, item);
    case kCdpEraseIoFlash:
        return EraseIoFlash(index, item);
    case kCdpModuleFirmware:
        return ModuleFirmware(index, item);
    case kCdpWholeMemory:
        // Without the flash image (it could not be read) the end item has nothing to write.
        if (run_.wholeMemory)
            WholeMemory(index, item);
        return;
    default:
        break;
    }
}

void PackageInstaller::StartItem(const CdpItem& item, int64_t maximum)
{
    v_.setItemDescription(item.description);
    v_.itemBar().setMaximum(maximum);
    v_.itemBar().setPosition(0);
    v_.itemBar().setText("0 %");
}

void PackageInstaller::HighSpeed(bool high)
{
    if (!t_.usbConnection())
        t_.SetLinkSpeed(high);
}

void PackageInstaller::SoftwareBlock(size_t index, const CdpItem& item)
{
    Progress& bar = v_.itemBar();
    bar.setPosition(0);
    bar.setMaximum(item.size);
    v_.setItemDescription(item.description);
    if (!run_.patchMode) {
        t_.Wait(kFlashIdentityPauseMs);
        t_.SetIoMode(true);
        t_.ReadFlashIdentity();
        t_.SetIoMode(false);
    }
    if (run_.patchMode && item.address < kPatchLimit) {
        bar.setText("0 %");
        v_.setItemDescription(item.description + " (Patch Mode)");
        if (!Patch(index, item.address, item.payload))
            return;
        bar.setPosition(bar.maximum());
        bar.setText("100 %");
        Progress& overall = v_.overallBar();
        overall.advance(item.size);
        if (const std::string text = overall.percent(); text != overall.text())
            overall.setText(text);
        bar.setPosition(0);
        bar.setText("0 %");
        return;
    }
    run_.changed = true;
    if (t_.spiMode() >= kSpiNotSupported || item.address >= kPatchLimit) {
        // Whole blocks only: a shorter tail is not written.
        const int blocks = int(item.size / wire::kBlockSize);
        bar.setMaximum(int64_t(blocks) * int64_t(wire::kBlockSize));
        if (blocks > 0 && !t_.WriteBlocks(item.address, blocks, item.payload.data()) && !t_.stopped())
            Fail(index, "The instrument did not take the software block at " + HexAddress(item.address) + ".");
        return;
    }
    t_.SetIoMode(true);
    bar.setText("0 %");
    v_.setItemDescription(item.description + " (Fast Mode)");
    HighSpeed(true);
    t_.Wait(kFastWritePauseMs);
    const int result = t_.WriteFlashFast(item.payload, item.address);
    FastWriteResult(index, result);
    HighSpeed(false);
    t_.SetIoMode(false);
}

bool PackageInstaller::Patch(size_t index, uint32_t address, std::span<const uint8_t> bytes)
{
    if (address > run_.image.size() || bytes.size() > run_.image.size() - address) {
        Fail(index, "It lies outside the flash image of " + std::to_string(run_.image.size()) + " bytes.");
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), run_.image.begin() + std::ptrdiff_t(address));
    return true;
}

void PackageInstaller::FastWriteResult(size_t index, int result)
{
    run_.lastTransferResult = result;
    if (Succeeded(result) || t_.stopped())
        return;
    run_.failedItem = index;
    Prompter& prompter = t_.prompter();
    switch (result) {
    case 240:
        prompter.error("A CRC error was encountered while updating the FLASH memory.");
        break;
    case 241:
        prompter.message(MessageKind::Warning,
                         "The I/O firmware does not support FLASH memory upgrade.\rPlease contact technical support.");
        break;
    case 242:
        prompter.message(MessageKind::Warning,
                         "The I/O module is not in RUN-Mode.\rPlease contact technical support.");
        break;
    case 1:
    case 32:
        prompter.error("A unknown error was encountered while updating the FLASH memory.");
        break;
    default:
        break;
    }
}

// Kinds 1, 7 and 22: a word (big-endian in the instrument) or a byte.
void PackageInstaller::ValueItem(size_t index, const CdpItem& item)
{
    StartItem(item, 2);
    const bool word = item.kind != kCdpWriteByte;
    const uint16_t value = item.kind == kCdpAskWord ? AskWord(item) : item.value();
    v_.itemBar().setPosition(1);
    const std::array<uint8_t, 2> bigEndian{uint8_t(value >> 8), uint8_t(value & 0xFF)};
    if (run_.wholeMemory) {
        if (!Patch(index, item.address, std::span(bigEndian).subspan(word ? 0 : 1)))
            return;
    } else {
        run_.changed = true;
        const bool written = word ? t_.WriteWord(item.address, value) : t_.WriteByte(item.address, uint8_t(value));
        if (!written) {
            if (!t_.stopped())
                Fail(index, "The instrument did not take the value.");
            return;
        }
    }
    v_.itemBar().setPosition(2);
    v_.itemBar().setText("100 %");
}

uint16_t PackageInstaller::AskWord(const CdpItem& item)
{
    // Only the first such item of a run asks; the later ones write its answer.
    if (run_.askedWord)
        return *run_.askedWord;
    const uint16_t value = AskWordValue(t_.prompter(), item.description, item.value());
    run_.askedWord = value;
    return value;
}

void PackageInstaller::Restart(const CdpItem& item)
{
    // A restart with the key line held down would come up in BIOS mode.
    t_.SetKeyDown(false);
    StartItem(item, 1);
    t_.SetIoMode(false);
    t_.RestartRvt();
    t_.Wait(kRestartPauseMs);
    t_.CheckedWordRead();
    v_.itemBar().setPosition(1);
}

void PackageInstaller::KeyPress(const CdpItem& item)
{
    StartItem(item, 1);
    t_.KeyPress(uint8_t(item.value()));
    t_.Wait(kKeyPauseMs);
    v_.itemBar().setPosition(1);
}

void PackageInstaller::Message(const CdpItem& item)
{
    const MessageKind kind = item.kind == kCdpInformation ? MessageKind::Information
                             : item.kind == kCdpWarning   ? MessageKind::Warning
                                                          : MessageKind::Error;
    t_.prompter().message(kind, item.description);
}

void PackageInstaller::DownloadMode(const CdpItem& item)
{
    if (item.value() != 0)
        t_.RestartInDownloadMode(true);
    else
        t_.RestartRvt();
}

void PackageInstaller::ConfigUpgrade(size_t index, const CdpItem& item)
{
    StartItem(item, kConfigUpgradeBytes);
    ConfigImage::Bytes bytes{};
    if (!t_.ReadBlocks(wire::kConfigBase, kConfigBlocks, bytes.data())) {
        if (!t_.stopped())
            Fail(index, "The configuration could not be read from the instrument.");
        return;
    }
    ConfigImage image;
    image.replace(bytes, IdentityTrailer{});
    if (!image.upgradeTo500() || (item.kind == kCdpUpgradeTo510 && !image.upgradeTo510())) {
        Fail(index, "The configuration could not be upgraded.");
        return;
    }
    run_.changed = true;
    if (!t_.WriteBlocks(wire::kConfigBase, kConfigBlocks, image.bytes().data()) && !t_.stopped())
        Fail(index, "The instrument did not take the upgraded configuration.");
}

void PackageInstaller::MainboardFpga(size_t index, const CdpItem& item)
{
    t_.SetIoMode(true);
    v_.itemBar().setPosition(0);
    v_.itemBar().setMaximum(item.size);
    HighSpeed(true);
    run_.changed = true;
    const int result = t_.ProgramJtag(item.payload, item.description);
    run_.lastTransferResult = result;
    if (!Succeeded(result) && !t_.stopped())
        run_.failedItem = index;
    t_.ShowJtagResult(result);
    t_.Wait(kJtagSettleMs);
    HighSpeed(false);
    run_.moduleIdsAfter = t_.ReadModuleIds();
    t_.SetIoMode(false);
}

void PackageInstaller::IoFirmware(size_t index, const CdpItem& item)
{
    t_.SetIoMode(true);
    v_.itemBar().setPosition(0);
    v_.itemBar().setMaximum(item.size);
    v_.setItemDescription(item.description);
    const std::vector<std::string> lines =
        item.kind == kCdpIoFirmware ? t_.HexLines(item.payload) : t_.FpgaLoaderLines();
    int result = kIoFirmwareDone;
    if (!lines.empty()) {
        run_.changed = true;
        result = t_.DownloadIoHex(lines);
    }
    v_.setItemDescription("Please wait while the I/O Module restarts.");
    t_.WaitIoRestart();
    v_.setItemDescription("Reconnecting to I/O Module.");
    t_.Wait(kIoFirmwareReconnectMs);
    t_.DetectIoInterface(false);
    v_.itemBar().setPosition(0);
    t_.SetIoMode(false);
    if (result != kIoFirmwareDone && !t_.stopped()) {
        t_.ShowIoFirmwareResult(result);
        Fail(index, "The I/O firmware was not installed.");
    }
}

void PackageInstaller::EraseIoFlash(size_t index, const CdpItem& item)
{
    v_.setItemDescription(item.description);
    t_.SetIoMode(true);
    v_.itemBar().setPosition(0);
    v_.itemBar().setMaximum(kEraseBarMaximum);
    run_.changed = true;
    if (t_.EraseIoFlash() == kFlashErased) {
        v_.itemBar().setPosition(v_.itemBar().maximum());
        v_.setItemDescription("Flash Erased.");
        t_.Wait(kEraseDonePauseMs);
    } else {
        v_.setItemDescription("An error occoured during Flash Erase.");
        if (!t_.stopped())
            Fail(index, "The flash memory of the I/O-interface could not be erased.");
    }
    t_.SetIoMode(false);
}

void PackageInstaller::IoModuleStep(const CdpItem& item, int waitMs, bool (InstallTarget::*step)())
{
    StartItem(item, 1);
    (t_.*step)();
    t_.SetIoMode(false);
    t_.Wait(waitMs);
    v_.itemBar().setPosition(1);
    v_.itemBar().setText("100 %");
}

void PackageInstaller::KeyLine(const CdpItem& item)
{
    StartItem(item, 1);
    t_.SetKeyDown(item.value() != 0);
    t_.SetIoMode(false);
    v_.itemBar().setPosition(1);
    v_.itemBar().setText("100 %");
}

void PackageInstaller::ModuleFirmware(size_t index, const CdpItem& item)
{
    t_.SetIoMode(true);
    v_.itemBar().setPosition(0);
    v_.itemBar().setMaximum(item.size);
    v_.setItemDescription("Preparing to install module firmware...");
    HighSpeed(true);
    t_.ReadFlashIdentity();
    t_.SetIoMode(false);
    const InstallTarget::SlotIds ids = t_.slotModuleIds();
    const uint8_t code = uint8_t(item.address);
    const bool module = item.address <= 0xFF;
    if (t_.spiMode() >= kSpiNotSupported) {
        // No slot can be reached: the end reports it as the first slot holding
        // the module (slot 1 when none is known to).
        const auto held = std::find(ids.begin(), ids.end(), code);
        const size_t slot = module && held != ids.end() ? size_t(held - ids.begin()) : 0;
        run_.slotResults[slot] = kNotSupportedBySpi;
        run_.failedSlotItem = run_.failedSlotItem.value_or(index);
    } else {
        for (int n = 1; n <= InstallTarget::kSlots && !t_.stopped(); ++n) {
            const std::string slot = std::to_string(n);
            if (!module || ids[size_t(n - 1)] != code) {
                v_.setItemDescription("Searching for " + t_.ModuleName(code) + " in slot #" + slot + ".");
                v_.repaint();
                t_.Wait(kModuleSearchPauseMs);
                continue;
            }
            run_.changed = true;
            const int result = t_.ProgramSlotFpga(n, code, item.description + " (Slot #" + slot + ")", item.payload);
            // A module confirms its image with either status.
            run_.slotResults[size_t(n - 1)] = Succeeded(result) ? 0 : result;
            if (!Succeeded(result) && !t_.stopped())
                run_.failedSlotItem = run_.failedSlotItem.value_or(index);
            t_.ShowSlotResult(result, n);
        }
    }
    HighSpeed(false);
    t_.SetIoMode(false);
}

void PackageInstaller::WholeMemory(size_t index, const CdpItem& item)
{
    v_.setItemDescription(item.description);
    t_.SetIoMode(true);
    Progress& bar = v_.itemBar();
    bar.setText("0 %");
    bar.setPosition(0);
    bar.setMaximum(item.size);
    if (item.value() == 1) {
        t_.EnterBiosMode();
        t_.Wait(kBiosStartMs);
        if (!run_.backupRead) {
            HighSpeed(true);
            run_.image.clear();
            run_.imageTransferCode = t_.ReadFlashFast(0, size_t(FlashSectors(t_.identity().type)), run_.image);
            HighSpeed(false);
        }
        run_.patchMode = run_.imageTransferCode == kTransferDone;
        run_.wholeMemory = run_.patchMode;
        // Without the image the items write to the instrument directly,
        // which it takes in download mode, not in BIOS mode.
        if (!run_.patchMode && !t_.stopped())
            BackToDownloadMode();
    } else if (!run_.patchMode) {
        Fail(index, "There is no flash image to write: no item before it read the flash.");
    } else {
        run_.changed = true;
        HighSpeed(true);
        const int result = t_.WriteFlashFast(run_.image, 0);
        HighSpeed(false);
        // Whole-memory mode ends with the image written: later items write directly.
        run_.patchMode = false;
        run_.wholeMemory = false;
        FastWriteResult(index, result);
    }
    t_.SetIoMode(false);
}

} // namespace qv
