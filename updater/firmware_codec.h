#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The I/O module's firmware transfers on the wire: the HEX download after
// "@ATPrg", the XSVF blocks after "@ATJTAG", and the 50-byte blocks an
// expansion module takes over the SPI UART after "b".
namespace qv::fw {

inline constexpr std::string_view kProgram = "@ATPrg\r";
inline constexpr std::string_view kJtag = "@ATJTAG\r";

// JTAG: a checksum byte and 1023 bytes of the image. The module answers "2"
// for the next block, 0xF0 for the same block again, or its status byte.
inline constexpr size_t kJtagBlock = 1024;
inline constexpr size_t kJtagPayload = kJtagBlock - 1;
inline constexpr uint8_t kJtagNextBlock = 0x32;
inline constexpr uint8_t kJtagSendAgain = 0xF0;
// Blocks past the image, and their padding.
inline constexpr uint8_t kJtagPadding = 0xFF;

// Expansion modules: "b" starts, each 50-byte block (zero padded) is
// answered with "1" for the next one or with the status byte.
inline constexpr uint8_t kSlotStart = 'b';
inline constexpr uint8_t kSlotNextBlock = 0x31;
inline constexpr size_t kSlotBlock = 50;

// What the module sent during a HEX download: 261 to 264 for "E500" to
// "E503" anywhere in it, 515 for anything else.
int ClassifyHexReply(std::string_view reply);
// The message the reply is shown after; "" for 515, which shows the reply alone.
std::string HexReplyText(int code);

// The register the first stage of the FPGA loader reports asks for the
// second stage: 11 and below, or 240. -1 (no reply) does not.
bool NeedsLoaderSecondStage(int registerValue);

// Blocks of size bytes that an image of n bytes takes, and one more step
// for the end of the transfer: the progress maximum.
int64_t TransferSteps(size_t n, size_t block);

} // namespace qv::fw
