#pragma once

#include "firmware_programmer.h"
#include "io_interface.h"
#include "update_wizard.h"
#include "wizard_view.h"
#include "link/update_identity.h"

#include <map>
#include <string>
#include <vector>

namespace qv {

// The items of the advanced menu (mnuPop) that can be enabled or disabled.
enum class AdvancedItem {
    ReadVersion,        // mnuPopVer
    TransparentMode,    // mnuPopTransMode
    CommandMode,        // mnuPopCMDMode
    BootCode,           // mnuPopBoot
    RunCode,            // mnuPopRun
    FpgaLoaderDisable,  // mnuPopFPGALoaderDisable
    FpgaLoader,         // mnuPopFPGALoader
    FpgaType,           // GetFPGAType1
    EraseFlash,         // mnuPopErase
    Restart,            // mnuPopRestart
    PressKey,           // mnuPopWriteKeyboard
    SpiUartDestination, // mnuPopSetSPIUartDest
    SpiModuleIds,       // GetSPIModules1
    WriteModules,       // WritedatatoModules1
    CreateLabel,        // mnuPopCreateLabel
};

// The module types the Write Module Data page offers, "Other module." last.
std::vector<ModuleTypeEntry> ModuleTypeEntries();
// The refusal of the SPI module functions for a SpiMode of 254 or 255.
std::string SpiNotSupportedText(int spiMode);

// QV-Update's hidden service menu: armed by a key chord, attached to the
// banner by a double click on a hidden spot, and from then on the banner's
// right-click menu. Its items run single I/O-interface commands, or put a
// command into the input box and run the wizard's dispatcher.
class AdvancedMenu {
public:
    static constexpr int kKeys = 8;
    static constexpr uint8_t kDspDestination = at::kDspDestination;

    AdvancedMenu(IoInterface& io, UpdateIdentity& identity, UpdateWizard& wizard, WizardView& view);

    // The key chord.
    void Arm() { armed_ = true; }
    bool armed() const { return armed_; }
    // The double click on the hidden spot: armed, the menu is attached for
    // the rest of the run.
    void imgAdvancedClickDblClick();
    bool attached() const { return attached_; }
    // The banner's right-click opens the menu: attached, and nothing runs
    // whose waits would let a second operation start inside it.
    bool canOpen() const { return attached_ && !busy_ && !wizard_.running(); }

    // The menu opens: which items can be used now.
    void mnuPopPopup();
    bool enabled(AdvancedItem item) const;
    bool fpgaLoaderDisabled() const { return wizard_.fpgaLoaderDisabled; }

    void mnuPopVerClick();
    void mnuPopTransModeClick();
    void mnuPopCMDModeClick();
    void mnuPopBootClick();
    void mnuPopRunClick();
    void mnuPopFPGALoaderDisableClick();
    void mnuPopFPGALoaderClick();
    void GetFPGAType1Click();
    void mnuPopEraseClick();
    void mnuPopRestartClick();
    // Key 1 to 8.
    void mnuPopKeyClick(int key);
    // Slot #1 to #7, or kDspDestination for "DSP".
    void mnuPopSetSPIUartDestClick(int destination);
    void GetSPIModules1Click();
    void WritedatatoModules1Click();

private:
    void ShowModeResult(int result);
    void RestartIoModule(bool bootLoader);
    void RunCommand(const std::string& command);

    IoInterface& io_;
    UpdateChannel& channel_;
    UpdateIdentity& identity_;
    UpdateWizard& wizard_;
    WizardView& view_;
    Prompter& prompter_;
    FirmwareProgrammer firmware_{io_};
    std::map<AdvancedItem, bool> enabled_;
    bool armed_ = false;
    bool attached_ = false;
    bool busy_ = false;
};

} // namespace qv
