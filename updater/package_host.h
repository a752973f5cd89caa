#pragma once

#include "firmware_programmer.h"
#include "io_interface.h"
#include "update_connection.h"
#include "wizard_view.h"
#include "packages/install_target.h"

namespace qv {

// The package installer's instrument and page in QV-Update: the link, the
// I/O-interface and its firmware and flash transfers, with the progress on
// the "CDP" page of the main window.
class PackageInstallHost : public InstallTarget, public InstallView {
public:
    // A word or byte item is a read-modify-write of its block; the instrument
    // may still be booting into download mode when the first one comes.
    static constexpr int kValueWriteAttempts = 6;
    // Wake-ups of about 0.75 s each before a restart command.
    static constexpr int kRestartAttempts = 6;

    PackageInstallHost(IoInterface& io, UpdateIdentity& identity, UpdateConnection& connection, WizardView& view,
                       FirmwareProgrammer& firmware);

    // InstallView.
    void setPackageTitle(const std::string& text) override;
    void setItemDescription(const std::string& text) override;
    Progress& itemBar() override;
    Progress& overallBar() override;
    void repaint() override;
    void startProgressDrain() override;

    // InstallTarget.
    UpdateIdentity& identity() override { return identity_; }
    bool usbConnection() const override;
    bool usbSupported() const override;
    int spiMode() const override { return io_.spiMode; }
    SlotIds slotModuleIds() const override;
    void setSlotModuleIds(const SlotIds& ids) override;
    Prompter& prompter() override { return channel_.host().prompter; }
    Clock& clock() override { return channel_.host().clock; }
    bool stopped() const override { return channel_.aborted(); }
    void Wait(int ms) override;
    std::optional<int> ChooseBiosType() override;

    int SetIoMode(bool command) override;
    void SendText(std::string_view text) override;
    bool ReadFlashIdentity() override;
    bool SetLinkSpeed(bool high) override;
    bool EnterBiosMode() override;
    bool ReloadFpga() override;
    bool SetKeyDown(bool down) override;
    void WaitIoRestart() override;
    int DetectIoInterface(bool stayInCommandMode) override;
    SlotIds ReadModuleIds() override;
    void RestartInstrument() override;
    std::string ModuleName(uint8_t code) const override;

    int InstallFpgaLoader() override;
    std::vector<std::string> HexLines(std::span<const uint8_t> text) const override;
    std::vector<std::string> FpgaLoaderLines() const override;
    int DownloadIoHex(const std::vector<std::string>& lines) override;
    int EraseIoFlash() override;
    int ProgramJtag(std::span<const uint8_t> image, const std::string& text) override;
    int GetFpgaType() override;
    int ProgramSlotFpga(int slot, uint8_t moduleId, const std::string& text, std::span<const uint8_t> image) override;
    void ShowIoFirmwareResult(int result) override;
    void ShowJtagResult(int result) override;
    void ShowSlotResult(int result, int slot) override;

    int ReadFlashFast(uint32_t address, size_t sectors, std::vector<uint8_t>& image) override;
    int WriteFlashFast(std::span<const uint8_t> image, uint32_t address) override;

    bool RestartInDownloadMode(bool waitForConfirmation) override;
    bool RestartRvt() override;
    bool CheckedWordRead() override;
    bool WriteWord(uint32_t address, uint16_t value) override;
    bool WriteByte(uint32_t address, uint8_t value) override;
    bool KeyPress(uint8_t key) override;
    bool ReadBlocks(uint32_t address, int blocks, uint8_t* destination) override;
    bool WriteBlocks(uint32_t address, int blocks, const uint8_t* source) override;

private:
    bool io() const { return identity_.ioInterfacePresent; }
    StatusPanel& info() { return view_.panel(WizardText::Info); }
    StatusPanel& description() { return view_.panel(WizardText::ItemDescription); }
    TransferBars bars() { return {&itemBar(), &overallBar()}; }
    FirmwareDisplay display(StatusPanel& status) { return {&status, bars()}; }
    void Show(const std::optional<FirmwareMessage>& message);
    // Cleanup after a Cancel: the module goes back to transparent mode and
    // the low link speed, or the next command would not reach it.
    template <class Step>
    auto Unaborted(const Step& step);

    IoInterface& io_;
    UpdateChannel& channel_;
    UpdateIdentity& identity_;
    UpdateConnection& connection_;
    WizardView& view_;
    FirmwareProgrammer& firmware_;
};

} // namespace qv
