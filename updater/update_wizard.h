#pragma once

#include "firmware_programmer.h"
#include "flash_read_page.h"
#include "io_interface.h"
#include "update_connection.h"
#include "wizard_view.h"
#include "config/config_image.h"
#include "link/update_identity.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qv {

class FlashTransfer;

// btnNext tags besides those of the connection.
inline constexpr int kNextExecute = 2;
inline constexpr int kNextFinished = -1;
inline constexpr int kNextPortClosed = -2;
// btnExit tag: cancel back to the start page.
inline constexpr int kExitCancel = 1;

// The browse button's filter for what is connected.
std::string FileChooserFilter(bool instrument, bool ioInterface);

// QV-Update's wizard: the pages of the main window, the navigation
// buttons, the input box and the dispatcher that runs what it names.
class UpdateWizard {
public:
    static constexpr int kBannerMs = 150;
    static constexpr int kExitBannerMs = 50;
    // Polls of 10 ms that give a detected instrument time to settle before
    // the program disconnects and ends.
    static constexpr int kExitPolls = 251;
    static constexpr int kEraseBarMaximum = 107;
    static constexpr int kFinishedPauseMs = 500;
    // The DSP file buffer; a longer file is refused.
    static constexpr size_t kDspBufferBytes = 262144;
    // Of a drop, only the first names are looked at.
    static constexpr size_t kDroppedFilesTaken = 2;

    UpdateWizard(IoInterface& io, UpdateIdentity& identity, UpdateConnection& connection, WizardView& view);

    void ShowPage(const std::string& key);
    const std::string& page() const { return page_; }

    // The input box changed (or was double-clicked).
    void editFilenameChange(const std::string& text);
    // Puts text into the input box, which recognises it.
    void SetInput(const std::string& text);
    void btnFileNameClick();
    void chkBackupClick();
    void btnBackupClick();
    // The read page's browse button.
    void btnRDMBFlashFileClick();
    void btnNextClick();
    void btnExitClick();
    // Files dropped onto the window.
    void FilesDropped(const std::vector<std::string>& paths);

    // Yes (true) or No; quiet answers Yes without asking.
    bool ConfirmUpdate();
    std::string ConfirmUpdateText() const;
    // Runs what the input box names; true when it did what was asked.
    bool ExecuteCommand();
    // ExecuteCommand is running (its waits let other handlers run).
    bool running() const { return running_; }

    // Shows the PRE page with what a configuration file holds, and keeps
    // its image for the download; true when the file can be downloaded.
    bool ShowConfigurationFile(const std::string& path);
    // The configuration the PRE page holds, as read or as last sent.
    const ConfigImage& heldConfiguration() const { return configuration_; }

    // Set by the command line: no confirmations, no success messages.
    bool quiet = false;
    bool helpShown = false;
    // Toggled from the advanced menu.
    bool fpgaLoaderDisabled = false;
    // The flash read writes its file under the name as given, without the
    // start sector's extension (the command line's default file).
    bool keepFlashFileName = false;

private:
    bool Dispatch(const std::string& t);
    bool EraseIoFirmware();
    bool ResetEthernetSettings();
    bool ActivateDownloadMode();
    bool IoModuleStep(const char* busyText, const char* failureText, const std::function<bool()>& step);
    bool RestartRvt();
    bool SendText(const std::string& text);
    bool DownloadDspFile(const std::string& path);
    // The DSP file, checked before the instrument is touched; false after
    // its message.
    bool LoadDspFile(const std::string& path, const std::string& notFoundText, std::vector<uint8_t>& bytes);
    bool WriteDspSectors(uint32_t address, const std::vector<uint8_t>& bytes);

    // Firmware and FPGA jobs (wizard_firmware.cpp).
    bool InstallIoFirmwareFile(const std::string& source);
    bool ProgramMainboardFpga(const std::string& path);
    bool ProgramModuleFpga(const std::string& path);
    bool ReadFpgaImage(const std::string& path, bool xsvfImage, std::vector<uint8_t>& image);
    bool PrepareFpgaJob();
    // True when every selected slot took the image.
    bool ProgramSelectedSlots(const ModuleSelection& selection, const std::string& path,
                              const std::vector<uint8_t>& image);
    void Show(const std::optional<FirmwareMessage>& message);
    FirmwareDisplay FileDisplay();
    uint8_t FirstReceived() const;
    // A package, with the backup when one is asked for (wizard_package.cpp).
    bool InstallPackageFile(const std::string& path);
    // The mainboard flash (wizard_flash.cpp).
    void PrepareFlashReadPage();
    // The read page's fields; true when the read can go ahead (flashRead_).
    bool CheckFlashReadFields();
    bool ReadMainboardFlash();
    int ReadFlashBlocks(const FlashReadCheck& read, std::vector<uint8_t>& data);
    bool SaveFlashFile(const std::string& path, const std::vector<uint8_t>& data);
    bool WriteFlashFastFile(const std::string& path);
    void ShowFastWriteResult(int result, const FlashTransfer& transfer, const std::string& elapsed);
    // The link goes to its high speed around long transfers, unless over USB.
    bool UseHighSpeed() const;
    void PollFor(int ms);

    // Configuration files (wizard_preset.cpp).
    bool DownloadPresetFile(const std::string& path);
    bool DownloadConfiguration();

    void ShowPackage(const std::string& path);
    void ReturnDisconnected();
    void Inform(const std::string& text);
    void ShowBar(int64_t position, int64_t maximum, const char* percent);
    StatusPanel& info() { return view_.panel(WizardText::Info); }

    IoInterface& io_;
    UpdateChannel& channel_;
    UpdateIdentity& identity_;
    UpdateConnection& connection_;
    WizardView& view_;
    Prompter& prompter_;
    FirmwareProgrammer firmware_{io_};
    std::string page_;
    // ExecuteCommand runs; Cancel then only asks the operation to stop.
    bool running_ = false;
    bool cancelRequested_ = false;
    std::optional<FlashReadCheck> flashRead_;
    ConfigImage configuration_;
    // The file last read for the PRE page, and whether it passed its checks.
    std::string configurationPath_;
    bool configurationValid_ = false;
};

} // namespace qv
