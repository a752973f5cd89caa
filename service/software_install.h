#pragma once

#include "link/instrument_record.h"
#include "packages/cdp_reader.h"
#include "packages/install_plan.h"
#include "platform/host/help_topics.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class MatrixTransfer;
class Progress;
class Prompter;

// What the installation window shows while a package goes in.
class SoftwareInstallView {
public:
    virtual ~SoftwareInstallView() = default;

    virtual void setCaption(const std::string& caption) = 0;
    virtual void setItemDescription(const std::string& text) = 0;
    // ItemProgress and OverallProgress; a bar's text is its percent label
    // (ItemPercent, OverallPercent).
    virtual Progress& itemBar() = 0;
    virtual Progress& overallBar() = 0;
    // The source edit and button, the backup box, Execute, and the backup
    // edit and button as the box says.
    virtual void enableControls(bool enabled) = 0;
    virtual void enableCancel(bool enabled) = 0;
    virtual void setBackupName(const std::string& name) = 0;
    // False in BIOS mode: the backup box unchecked and disabled.
    virtual void offerBackup(bool offered) = 0;
    // The BIOS-mode type dialog, modal: the type confirmed, if any.
    virtual std::optional<int> chooseBiosType() = 0;
    virtual void closeWindow() = 0;
};

// What the installation takes from the program's connection.
struct InstallConnection {
    // The transfer window of the chosen port; null when the interface is not
    // the serial port.
    std::function<MatrixTransfer*()> transferWindow;
    // identify(), without the text information query when asked.
    std::function<void(bool skipTextQuery)> connect;
    // Restart the instrument and connect again.
    std::function<void()> restart;
    // A line for the debug window's list.
    std::function<void(const std::string&)> debugLine;
};

// QV-Matrix's software installation: the package check, the optional
// backup of the program memory as a "0001" package, the items for the
// instrument through the transfer engine, the restart and the outcome.
class SoftwareInstall {
public:
    static constexpr char kCaption[] = "Install software.";
    static constexpr HelpTopic kHelpTopic = HelpTopic::InstallSoftware;
    static constexpr char kPackageFilter[] = "Compiled Distribution Packages (*.CDP)|*.CDP|All Files (*.*)|*.*";
    static constexpr char kCompleteText[] = "The software installation is complete.";
    static constexpr char kCancelledText[] = "The software installation was cancelled by the user.";
    static constexpr char kBiosSkipText[] =
        "The RVT was in BIOS-Mode, some operations could not be performed,\rplease verify that the RVT has booted "
        "normally and execute the update one more time.";
    static constexpr char kInvalidBackupText[] = "Please enter a valid filename for the backup file.";
    // What the instrument holds after a run that stopped.
    static constexpr char kNothingWrittenText[] = "Nothing was written to the RVT; it runs its previous software.";
    static constexpr char kPartlyWrittenText[] =
        "Part of the package was written to the RVT; it may not run correctly until the package has been "
        "installed completely.";
    static constexpr uint32_t kConfigBase = 0x1C000;
    static constexpr int kConfigBlocks = 128;
    static constexpr int kDebugBytes = 11;
    // The instrument restarts into download mode before it answers again.
    static constexpr int kDownloadModePauseMs = 1000;

    SoftwareInstall(SoftwareInstallView& view, Prompter& prompter, InstrumentRecord& record,
                    InstallConnection connection);

    // Opened for a package of the command line: the program ends after it.
    bool commandLine = false;
    bool running() const { return running_; }

    // FormShow: connect without the text query; the BIOS-mode type dialog.
    void Show();
    // The file dialogs of the two ". . ." buttons; the name to show, if any.
    std::optional<std::string> ChooseSource();
    std::optional<std::string> ChooseBackup();
    // ExecuteClick: the installation.
    void Execute(const std::string& source, bool backup, const std::string& backupName);
    // CancelClick. True when the window closes now; a running installation
    // that the user agreed to stop closes it when it has ended.
    bool Cancel();
    // FormClose.
    void Closed();

private:
    struct Run {
        std::vector<uint8_t> file; // the package's items point into it
        CdpPackage package;
        InstallPlan plan;
        std::optional<uint16_t> askedWord;
        std::string backupMade;
        std::vector<std::string> failed; // descriptions of items not installed
        bool biosSkip = false;
        bool written = false;  // something went to the instrument's memory
        bool stopped = false;  // the reason was told; nothing more to report
        bool portLost = false;
    };

    MatrixTransfer* transfer();
    void resetProgress();
    void enableAsShown();
    bool Prepare(const std::string& source);
    bool CheckBackup(const std::string& backupName);
    bool Backup(MatrixTransfer& t, const std::string& name);
    void RunItems();
    void RunItem(MatrixTransfer& t, const CdpItem& item);
    void StartItem(const CdpItem& item, int64_t maximum);
    void SetItemPosition(int64_t position);
    void SoftwareBlock(MatrixTransfer& t, const CdpItem& item);
    void WordItem(MatrixTransfer& t, const CdpItem& item);
    void ConfigUpgrade(MatrixTransfer& t, const CdpItem& item);
    void Failed(MatrixTransfer& t, const CdpItem& item);
    void Finish();
    void Report();
    std::string StateText() const;

    SoftwareInstallView& view_;
    Prompter& prompter_;
    InstrumentRecord& record_;
    InstallConnection connection_;
    bool running_ = false;
    std::string chosenBackup_; // the name last confirmed in the save dialog
    Run run_;
};

// The item checks before anything is sent: the reason an item cannot be
// installed, or nothing.
std::optional<std::string> RefusedItem(const CdpItem& item);

} // namespace qv
