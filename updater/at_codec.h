#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The "@AT" records of the I/O-interface module: the command bytes the host
// sends and the decoding of what comes back. Replies reach the decoders with
// their line terminator already removed.
namespace qv::at {

inline constexpr std::string_view kCommandMode = "@AT+++\r";
inline constexpr std::string_view kTransparentMode = "@AT---\r";
inline constexpr std::string_view kStatus = "@ATSTAT\r";
inline constexpr std::string_view kVersion = "@ATVER\r";
inline constexpr std::string_view kFlashIdentity = "@ATRDFlashID\r";
inline constexpr std::string_view kEthernet = "@ATETH0\r";
inline constexpr std::string_view kEthernetReset = "@ATERes\r";
inline constexpr std::string_view kRunBootLoader = "@ATRUNBL\r";
inline constexpr std::string_view kRunCode = "@ATRUN\r";
inline constexpr std::string_view kHighSpeed = "@ATHS\r";
inline constexpr std::string_view kLowSpeed = "@ATLS\r";
inline constexpr std::string_view kModuleHighSpeed = "@ATHS1\r";
inline constexpr std::string_view kModuleLowSpeed = "@ATLS1\r";
inline constexpr std::string_view kKeyDown = "@ATKDD\r";
inline constexpr std::string_view kKeyUp = "@ATKDU\r";
inline constexpr std::string_view kReloadFpga = "@ATRECFG\r";
inline constexpr std::string_view kMainboardBlock = "@ATRDMB\r";
inline constexpr std::string_view kErase = "@ATErase\r";
inline constexpr std::string_view kRestartByte = "\r";

// SPI UART destinations: slots 1 to 7, or the mainboard DSP.
inline constexpr uint8_t kDspDestination = 8;

// "@ATSPIUartDest\r" and the destination byte.
std::string SpiUartDestinationCommand(uint8_t destination);
// "@ATRDREG\r" and the register number 0.
std::string LoaderRegisterCommand();
// The block address of "@ATRDMB", high byte first.
std::string MainboardAddress(uint16_t address);
// The firmware query of an expansion module: "g", 0x60 + slot index, 0, 1.
std::string FirmwareQuery(int slotIndex);

// Reply to a mode switch: ATCMD_WRONG for "Not OK", ATCMD_OK for "OK"
// anywhere in it, 0 for neither.
int ClassifyModeReply(std::string_view reply);
// The erase acknowledgement ends in "OK"; "Not OK" ends so too and is a refusal.
bool IsEraseAcknowledged(std::string_view reply);

// "@ATSTAT" record.
struct IoStatus {
    uint8_t systemMode = 0;     // 0 RUN, 1 BOOT-load, 2 FPGA programming
    uint8_t bootMajor = 0;
    uint8_t bootMinor = 0;
    uint8_t bootId = 0;
    uint8_t kept = 0;
    uint8_t interface = 0;      // 2 serial port, 4 USB
    uint8_t rs232Levels = 0;    // 1 connected
    std::string boardCode;      // three characters
    uint8_t runMajor = 255;     // 255: no RUN code
    uint8_t runMinor = 0;
    uint8_t runId = 0;          // 3 supports JTAG and flash transfers
    std::string macText;        // twelve hexadecimal characters
    uint16_t serial = 0;
    uint8_t productCode = 0;
};

inline constexpr uint8_t kSystemModeRun = 0;
inline constexpr uint8_t kSystemModeBootLoad = 1;
inline constexpr uint8_t kInterfaceSerial = 2;
inline constexpr uint8_t kInterfaceUsb = 4;

// IOSTAT_OK; IOSTAT_ERROR_CRC with the fields stored all the same;
// IOSTAT_ERROR_DATACOUNT, storing nothing, when the length byte is not the
// reply's length or the reply is too short to hold the fields.
int DecodeIoStatus(std::string_view reply, IoStatus& status);
// The mainboard had not been read when the module answered.
bool BoardCodeBlank(std::string_view boardCode);
// A meter of the newer family, which this program does not serve.
bool IsUnsupportedMeter(uint8_t productCode);

// "@ATETH0" record.
struct IoEthernet {
    bool valid = false;
    uint8_t dhcp = 0;           // 1 enabled
    std::array<uint8_t, 4> ip{};
    std::array<uint8_t, 4> subnet{};
    std::array<uint8_t, 4> gateway{};
    std::array<uint8_t, 6> mac{};
};

// IOSTAT_ERROR_TIMEOUT for "NOT OK" in any letter case (no Ethernet);
// IOSTAT_ERROR_DATACOUNT as for the status; otherwise the fields are stored
// and valid tells whether the checksum matched (IOSTAT_OK or IOSTAT_ERROR_CRC).
int DecodeIoEthernet(std::string_view reply, IoEthernet& ethernet);

// "@ATRDFlashID": manufacturer, device and ESC.
struct FlashIdentity {
    uint8_t manufacturer = 255;
    uint8_t device = 255;
};

// SpiMode.
inline constexpr int kSpiUsable = 0;
inline constexpr int kSpiNotSupportedByIo = 254;
inline constexpr int kSpiNotSupportedByFpga = 255;

// True for a valid reply; otherwise both IDs become 255. spiMode follows.
bool DecodeFlashIdentity(std::string_view reply, FlashIdentity& identity, int& spiMode);

// "@ATRDMB" reply: one byte, count n, checksum, n data bytes. Copies at most
// 16 bytes into data; true when the checksum of the n bytes matches.
bool DecodeMainboardBlock(std::string_view reply, std::array<uint8_t, 16>& data);

// One-letter query of an expansion module: the byte after the letter's
// first occurrence, or 0.
uint8_t DecodeModuleByte(std::string_view reply, char letter);
// The firmware query's answer: the fifth byte, or 0.
uint8_t DecodeModuleFirmware(std::string_view reply);

// The name of an expansion-module code.
std::string ModuleName(int code);

} // namespace qv::at
