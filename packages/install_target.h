#pragma once

#include "link/update_identity.h"
#include "platform/host/progress.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class Clock;
class Prompter;

// The "CDP" page of QV-Update's window as the package installer shows its
// run on it.
class InstallView {
public:
    virtual ~InstallView() = default;

    virtual void setPackageTitle(const std::string& text) = 0;     // lblCDPInfo
    virtual void setItemDescription(const std::string& text) = 0;  // ItemDescription
    // ItemProgress and OverallProgress; a bar's text is its percent label
    // (pnlCDPItemPercent, pnlCDPOverallPercent).
    virtual Progress& itemBar() = 0;
    virtual Progress& overallBar() = 0;
    virtual void repaint() = 0;
    // tmrProgress: both bars full, then drained to 0.
    virtual void startProgressDrain() = 0;
};

// The instrument, its I/O-interface module and the program's dialogs as the
// package installer drives them: the operations of the instrument command
// protocol, the block transfers, the I/O-interface commands and the firmware
// and flash transfers, each with the progress display its item gives it.
// QV-Update implements it over its link and I/O-interface.
class InstallTarget {
public:
    static constexpr int kSlots = 7;
    using SlotIds = std::array<uint8_t, kSlots>;

    virtual ~InstallTarget() = default;

    // What the program knows about the instrument; the installer may change
    // the type (the BIOS-mode type dialog, the FPGA refinement).
    virtual UpdateIdentity& identity() = 0;
    // The I/O-interface talks to the computer over USB.
    virtual bool usbConnection() const = 0;
    virtual bool usbSupported() const = 0;
    virtual int spiMode() const = 0;
    // The module ID in each expansion slot, as last read.
    virtual SlotIds slotModuleIds() const = 0;
    virtual void setSlotModuleIds(const SlotIds& ids) = 0;

    virtual Prompter& prompter() = 0;
    virtual Clock& clock() = 0;
    // Cancel was pressed (the stop flag).
    virtual bool stopped() const = 0;
    // A fixed wait with the window alive; Cancel ends it early.
    virtual void Wait(int ms) = 0;
    // The BIOS-mode type dialog: the type code chosen, nothing when none was.
    virtual std::optional<int> ChooseBiosType() = 0;

    // The I/O-interface module. Its commands go nowhere without one.
    virtual int SetIoMode(bool command) = 0;
    // Text for the instrument, with the input cleared before and after.
    virtual void SendText(std::string_view text) = 0;
    virtual bool ReadFlashIdentity() = 0;
    virtual bool SetLinkSpeed(bool high) = 0;
    virtual bool EnterBiosMode() = 0;
    virtual bool ReloadFpga() = 0;
    virtual bool SetKeyDown(bool down) = 0;
    virtual void WaitIoRestart() = 0; // on the item bar
    virtual int DetectIoInterface(bool stayInCommandMode) = 0;
    virtual SlotIds ReadModuleIds() = 0;
    // Restarts the instrument, its status on ItemDescription.
    virtual void RestartInstrument() = 0;
    virtual std::string ModuleName(uint8_t code) const = 0;

    // Firmware through the I/O-interface, progress on both bars and the
    // status on pnlInfo (the FPGA images: on ItemDescription).
    virtual int InstallFpgaLoader() = 0; // "MCU/FPGA", on the item bar only
    virtual std::vector<std::string> HexLines(std::span<const uint8_t> text) const = 0;
    virtual std::vector<std::string> FpgaLoaderLines() const = 0;
    virtual int DownloadIoHex(const std::vector<std::string>& lines) = 0;
    virtual int EraseIoFlash() = 0;
    virtual int ProgramJtag(std::span<const uint8_t> image, const std::string& text) = 0;
    virtual int GetFpgaType() = 0;
    virtual int ProgramSlotFpga(int slot, uint8_t moduleId, const std::string& text,
                                std::span<const uint8_t> image) = 0;
    // The messages of those results as a package item shows them; nothing
    // for success and for a transfer the user cancelled.
    virtual void ShowIoFirmwareResult(int result) = 0;
    virtual void ShowJtagResult(int result) = 0;
    virtual void ShowSlotResult(int result, int slot) = 0;

    // The mainboard flash through the I/O-interface (fast transfer codes).
    virtual int ReadFlashFast(uint32_t address, size_t sectors, std::vector<uint8_t>& image) = 0;
    virtual int WriteFlashFast(std::span<const uint8_t> image, uint32_t address) = 0;

    // The instrument command protocol and the block transfers; the block
    // transfers move both bars by 128 a block.
    virtual bool RestartInDownloadMode(bool waitForConfirmation) = 0;
    virtual bool RestartRvt() = 0;
    // After a restart: sets connected and BIOS mode anew.
    virtual bool CheckedWordRead() = 0;
    virtual bool WriteWord(uint32_t address, uint16_t value) = 0;
    virtual bool WriteByte(uint32_t address, uint8_t value) = 0;
    virtual bool KeyPress(uint8_t key) = 0;
    virtual bool ReadBlocks(uint32_t address, int blocks, uint8_t* destination) = 0;
    virtual bool WriteBlocks(uint32_t address, int blocks, const uint8_t* source) = 0;
};

} // namespace qv
