#pragma once

#include "cdp_reader.h"
#include "install_plan.h"
#include "install_target.h"
#include "platform/host/file_io.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv {

enum class InstallOutcome {
    NotStarted,        // no file, a rejected package: nothing was sent to the instrument
    UsbDeclined,       // No to the USB advice: back to the start page
    PreparationFailed, // the FPGA loader did not go in: the wizard disconnects
    Cancelled,         // Cancel: the instrument was left as it was
    Failed,            // restarted, and the failure reported
    Incomplete,        // restarted; some items could not run, as reported
    Done,              // restarted, "The software installation is complete."
};

// QV-Update's installation of a compiled distribution package (InstallPackage):
// the package check, the hardware preparation of instruments behind an
// I/O-interface, the selection of the items for the instrument, the backup,
// the items in table order, the restart and the report.
class PackageInstaller {
public:
    // Fixed waits of the run, in ms.
    static constexpr int kPrepareSettleMs = 5000;
    static constexpr int kBiosStartMs = 5000;
    static constexpr int kIoReconnectMs = 5000;
    static constexpr int kFlashIdentityPauseMs = 500;
    static constexpr int kFastWritePauseMs = 1000;
    static constexpr int kRestartPauseMs = 250;
    static constexpr int kKeyPauseMs = 100;
    static constexpr int kJtagSettleMs = 4000;
    static constexpr int kIoFirmwareReconnectMs = 3000;
    static constexpr int kEraseDonePauseMs = 500;
    static constexpr int kModuleSearchPauseMs = 250;
    // The software boots before it is asked for download mode again.
    static constexpr int kBootMs = 5000;

    PackageInstaller(InstallTarget& target, InstallView& view);

    // backupFile: the backup checked by CheckBackupTarget, when one was asked for.
    InstallOutcome InstallPackage(const std::string& path, const std::optional<std::string>& backupFile);

private:
    // The run's state, cleared at its start.
    struct Run {
        std::vector<uint8_t> file;
        CdpPackage package;
        InstallPlan plan;
        std::vector<uint8_t> image; // the backup, and the flash that whole-memory mode patches
        bool backupRead = false;
        int imageTransferCode = 0;
        bool wholeMemory = false;
        bool patchMode = false;
        int lastTransferResult = 0;
        std::array<int, InstallTarget::kSlots> slotResults{};
        InstallTarget::SlotIds moduleIdsAfter{};
        bool biosSkip = false;
        int64_t startMs = 0;
        std::optional<uint16_t> askedWord; // the first kind 7 answer
        std::string backupFile;            // written in full
        // Beyond what the package says: which item failed or was running,
        // whether the instrument changed, and what could not run at all.
        std::optional<size_t> current;
        std::optional<size_t> failedItem;
        std::string failure;
        std::optional<size_t> failedSlotItem;
        bool changed = false;
        std::vector<size_t> notRun;
    };

    bool CheckPackage(const std::string& path, FileRead read);
    void ChooseTypeIfUnknown();
    bool ItemsFitTheInstrument();
    bool AnyItemFor(const std::vector<int>& types) const;
    bool UsbAdviceDeclined();
    InstallOutcome PrepareHardware();
    void Plan(bool backup);
    bool ReadBackup(const std::string& file);
    void BackToDownloadMode();
    InstallOutcome Ending();
    InstallOutcome Cancelled();
    InstallOutcome EndWithoutItems(const std::string& error);
    InstallOutcome Report(const std::string& elapsed);

    // The items (package_items.cpp).
    void RunItem(size_t index);
    void StartItem(const CdpItem& item, int64_t maximum);
    void SoftwareBlock(size_t index, const CdpItem& item);
    void ValueItem(size_t index, const CdpItem& item);
    uint16_t AskWord(const CdpItem& item);
    void Restart(const CdpItem& item);
    void KeyPress(const CdpItem& item);
    void Message(const CdpItem& item);
    void DownloadMode(const CdpItem& item);
    void ConfigUpgrade(size_t index, const CdpItem& item);
    void MainboardFpga(size_t index, const CdpItem& item);
    void IoFirmware(size_t index, const CdpItem& item);
    void EraseIoFlash(size_t index, const CdpItem& item);
    void IoModuleStep(const CdpItem& item, int waitMs, bool (InstallTarget::*step)());
    void KeyLine(const CdpItem& item);
    void ModuleFirmware(size_t index, const CdpItem& item);
    void WholeMemory(size_t index, const CdpItem& item);
    // Writes bytes into the flash image at address; false after failing the item.
    bool Patch(size_t index, uint32_t address, std::span<const uint8_t> bytes);
    void FastWriteResult(size_t index, int result);
    void HighSpeed(bool high);
    void Fail(size_t index, const std::string& why);
    // The sentence naming an item that did not finish, and what the backup can do.
    std::string NotCompletedText(size_t index) const;

    InstallTarget& t_;
    InstallView& v_;
    Run run_;
};

} // namespace qv
