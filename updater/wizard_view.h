#pragma once

#include "module_selection.h"
#include "status_panel.h"
#include "update_view.h"
#include "platform/host/progress.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// The groups a wizard page shows, combined as flags.
enum WizardGroup : unsigned {
    GroupNone = 0,
    GroupPort = 1u << 0,         // grpPort; pnlPort is 132 pixels high with it, else 75
    GroupStart = 1u << 1,        // pnlStart: the system information
    GroupFile = 1u << 2,         // grpFile
    GroupFileProgress = 1u << 3, // grpFileProgress
    GroupHelp = 1u << 4,         // grpHelp
    GroupCdpBackup = 1u << 5,    // grpCDPBackOld
    GroupCdpProgress = 1u << 6,  // grpCDPProgress
    GroupPreset = 1u << 7,       // grpPreset
    GroupFlashRead = 1u << 8,    // grpRDMBFlash
    GroupModuleSetup = 1u << 9,  // grpModuleSetup
};

// Controls of the wizard pages besides those of discovery and connection.
enum class WizardControl {
    Filename,       // editFilename, the input box
    FileName,       // btnFileName, its browse button
    Advanced,       // btnAdvanced
    Backup,         // chkBackup
    BackupFileName, // editBackupFileName
    BackupButton,   // btnBackup
    FlashRead,      // the controls of grpRDMBFlash
    FastMode,       // chkRDMBFlash "Fast Mode."
};

// One-line texts of the wizard pages.
enum class WizardText {
    Info,           // pnlInfo
    Time,           // pnlTime, the percent text beside ProgressBar
    CdpInfo,        // lblCDPInfo
    ItemDescription,
    ItemPercent,    // pnlCDPItemPercent
    OverallPercent, // pnlCDPOverallPercent
    PresetInfo,     // pnlPresetInfo
    PresetPercent,  // pnlPresetPercent
    BackupFileName, // editBackupFileName
    FlashFile,      // txtFlashFile
    FlashAddress,   // txtFlashAddr
    FlashSectors,   // txtFlashSectorCount
    FlashStatus,    // pnlRDMBFlash
    FlashPercent,   // pnlRDMBFlashPercent
    ModuleStatus,   // lblWriteModuleID
};

enum class WizardBar {
    Progress, // ProgressBar, its text in pnlTime
    Item,     // ItemProgress
    Overall,  // OverallProgress
    Flash,    // progressRDMBFlash, its text in pnlRDMBFlashPercent
    Preset,   // ProgressBarPreset, its text in pnlPresetPercent
    Module,   // progressWriteModuleID
};

// An entry of the module type list of the Write Module Data page.
struct ModuleTypeEntry {
    std::string text;
    int code = -1; // -1: "Other module.", whose data is typed in
};

// QV-Update's main window (TfrmMain) as the wizard drives it.
class WizardView : public UpdateView {
public:
    virtual void showGroups(unsigned groups) = 0;
    virtual int tag(UpdateControl control) const = 0;

    virtual void enableWizard(WizardControl control, bool enabled) = 0;
    virtual void setChecked(WizardControl control, bool checked) = 0;
    virtual bool checked(WizardControl control) const = 0;

    virtual StatusPanel& panel(WizardText text) = 0;
    virtual std::string text(WizardText text) const = 0;
    virtual Progress& bar(WizardBar bar) = 0;

    // The input box; setting it here does not run its change handler.
    virtual void setInputText(const std::string& text) = 0;
    virtual std::string inputText() const = 0;

    // PresetTree: what the configuration file on the PRE page holds.
    virtual void showPresetTree(const StatusTree& tree) = 0;

    // Paints what changed before a long step starts.
    virtual void repaint() = 0;
    // The banner animation's frame time (150 ms, 50 ms at exit).
    virtual void setBannerInterval(int ms) = 0;
    // Closes the main window, which ends the program.
    virtual void closeWindow() = 0;
    // The module selection dialog, modal: true after OK, false after Cancel.
    virtual bool selectModules(ModuleSelection& selection) = 0;
    // Fills cboModuleTypes, selects its first entry and runs its change handler.
    virtual void setModuleTypes(const std::vector<ModuleTypeEntry>& entries) = 0;
    // The BIOS-mode type dialog, modal: the type code confirmed, nothing
    // when none was.
    virtual std::optional<int> chooseBiosType() = 0;
    // tmrProgress after a package installation: both package bars full,
    // then drained to 0.
    virtual void startProgressDrain() = 0;
};

} // namespace qv
