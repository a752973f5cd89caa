#pragma once

#include "at_codec.h"
#include "io_results.h"
#include "status_panel.h"
#include "link/update_channel.h"
#include "link/update_identity.h"
#include "platform/host/progress.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// The mainboard information block, as far as the program uses it.
struct EeInfo {
    uint8_t hardwareId = 0;
    uint8_t inputVideoChannels = 0;
    uint8_t outputVideoChannels = 0;
};

// What one expansion slot told; 255 where the slot could not be reached.
struct SlotInfo {
    uint8_t moduleId = 255;      // 0 or 255: no module
    uint8_t softwareVersion = 255;
    uint8_t firmwareVersion = 255;
    uint8_t temperature = 255;   // degrees Celsius + 18
};

// The one-letter queries of the slot scan, and the firmware query.
enum class SlotQuery { ModuleId, SoftwareVersion, Temperature, FirmwareVersion };

// QV-Update's side of the I/O-interface module: its command mode, its
// records, the link speed, restarts and the SPI UART to the expansion slots.
class IoInterface {
public:
    static constexpr int kSlots = 7;
    static constexpr int kStatusRereads = 3;
    static constexpr int kStatusRereadPauseMs = 200;
    static constexpr int kFlashIdentityAttempts = 3;
    static constexpr int kFlashIdentityPolls = 500;   // about 5 s
    static constexpr int kMainboardBlockPolls = 500;  // about 5 s
    static constexpr size_t kMainboardReplyBytes = 18;
    static constexpr uint16_t kEeInfoBlock = 32;
    static constexpr int kLoaderRegisterPolls = 500;
    static constexpr int kRestartPolls = 1000;        // about 10 s
    static constexpr int kModuleQueryPolls = 5;       // about 50 ms
    static constexpr int kSlotSettlePolls = 6;
    static constexpr size_t kVersionTextLength = 50;
    static constexpr int kLowBaud = 9600;
    static constexpr int kHighBaud = 115200;
    static constexpr int kInstrumentTypeWithoutModeSwitch = 4;
    static constexpr int kEraseReconnectPauseMs = 500;

    IoInterface(UpdateChannel& channel, UpdateIdentity& identity) : channel_(channel), identity_(identity) {}

    UpdateChannel& channel() { return channel_; }

    // Mode and records.
    int SetIoMode(bool command);
    int ReadIoStatus();
    int ReadIoEthernet();
    int DetectIoInterface(bool stayInCommandMode);
    bool ReadFlashIdentity();

    // Restarts.
    int RestartIoModule(bool bootLoader);
    void WaitIoRestart(Progress* progressBar);
    // True when the instrument took the restart command.
    bool RestartInstrument(Progress* progressBar, StatusPanel* statusPanel, StatusPanel* percentPanel);
    bool EnterBiosMode();
    int EraseIoFlash(StatusPanel* statusPanel, Progress* progressBar);

    // Plain commands, each acknowledged with "OK".
    bool SetLinkSpeed(bool high);
    bool SetModuleLinkSpeed(bool high);
    bool SetSpiUartDestination(uint8_t destination);
    bool SetKeyDown(bool down);
    bool ReloadFpga();
    bool ResetEthernet();

    // Reads with binary replies.
    bool ReadMainboardBlock(uint16_t address, std::array<uint8_t, 16>& data);
    bool ReadEeInfo();
    // The register value, or -1 when nothing came.
    int ReadLoaderRegister();

    // Expansion slots behind the SPI UART.
    uint8_t QueryModuleByte(char letter);
    uint8_t ReadModuleFirmware(int slotIndex);
    void ScanSlots(SlotQuery query);
    std::array<uint8_t, kSlots> ReadModuleIds();

    // What the module told, kept for the other steps and the system tree.
    at::IoStatus status;
    at::IoEthernet ethernet;
    std::string versionText;
    at::FlashIdentity flash;
    int spiMode = at::kSpiNotSupportedByFpga;
    bool spiDisabled = false; // "/NOSPI": the flash identity is not awaited
    EeInfo eeInfo;
    std::array<SlotInfo, kSlots> slotInfo{}; // "slots" is a macro where Qt is included

private:
    // ClearRx, then the bytes; false when the port refused them.
    bool Send(std::string_view bytes);
    // A command of its own after the switch to command mode, acknowledged with "OK".
    bool CommandOk(std::string_view command);
    bool ReadStatusLine(std::string& line);
    void ApplyStatus();
    uint8_t RunSlotQuery(SlotQuery query, int slotIndex);
    static uint8_t& SlotField(SlotInfo& slot, SlotQuery query);

    UpdateChannel& channel_;
    UpdateIdentity& identity_;
};

} // namespace qv
