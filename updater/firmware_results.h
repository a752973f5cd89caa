#pragma once

#include "platform/host/prompter.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// Results of the I/O firmware download (InstallIoFirmware, DownloadIoHex).
inline constexpr int IOFW_LOAD_OK = 256;
inline constexpr int IOFW_LOAD_UNKNOWN = 257;        // also: the port went, or the module did not come back
inline constexpr int IOFW_LOAD_FILE_NOT_FOUND = 258; // nothing to send
inline constexpr int IOFW_NOT_BOOTMODE = 259;        // "@ATPrg" went unanswered
inline constexpr int IOFW_FLASH_ERASE_ERROR = 260;   // erase failed, or download mode not acknowledged
// 261 to 264: the module's E500 to E503 during the download (firmware_codec.h).

// Status bytes of a JTAG or module transfer, and the local results.
inline constexpr int XSVF_SUCCESS = 0;
inline constexpr int XSVF_ERROR_UNKNOWN = 1;
inline constexpr int XSVF_ERROR_TDOMISMATCH = 2;
inline constexpr int XSVF_ERROR_MAXRETRIES = 3;
inline constexpr int XSVF_ERROR_ILLEGALCMD = 4;
inline constexpr int XSVF_ERROR_DATAOVERFLOW = 6;
inline constexpr int XSVF_ERROR_LAST = 7;
inline constexpr int XSVF_TRANSFER_COMPLETE = 27; // a module's success
inline constexpr int XSVF_NOT_SUPPORTED = 241;
inline constexpr int XSVF_NOT_RUNMODE = 242;
inline constexpr int XSVF_FILE_NOT_FOUND = 243;
inline constexpr int kSlotModuleMismatch = 244;
inline constexpr int kModuleLinkSpeedRefused = 517;
inline constexpr int kSpiDestinationRefused = 1281;
// No reply within the transfer's bound, or the port went.
inline constexpr int kTransferStopped = 1536;
// The user's Cancel ended the transfer.
inline constexpr int kTransferCanceled = 1537;
// The module kept asking for blocks after the image had run out.
inline constexpr int kTransferOverrun = 1538;

struct FirmwareMessage {
    MessageKind kind = MessageKind::Error;
    std::string text;
};

// "5A": a received byte as the messages quote it.
std::string HexByteText(uint8_t value);

// What the wizard shows for an I/O firmware result; firstByte is the first
// byte received last. Nothing for the module's own errors, which the
// download showed.
std::optional<FirmwareMessage> IoFirmwareMessage(int code, const std::string& name, uint8_t firstByte);
// For a mainboard FPGA result (ProgramJtag); name is the image's file.
std::optional<FirmwareMessage> MainboardFpgaMessage(int code, const std::string& name, uint8_t firstByte);
// For an expansion module's result (ProgramSlotFpga); nothing on success.
std::optional<FirmwareMessage> SlotFpgaMessage(int code, int slot, const std::string& name, uint8_t firstByte);

// The error when the FPGA loader could not be installed before an FPGA job.
std::string LoaderFailedText(uint8_t firstByte);
inline constexpr const char* kFpgaCanceledText = "The FPGA update was canceled by user.";

} // namespace qv
