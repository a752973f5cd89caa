#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {
class Prompter;
}

namespace qv::wire {

// What both programs put on the line; timing and retries live with each
// program's variant.
inline constexpr uint8_t kWakeUp1 = 0xA6;
inline constexpr uint8_t kWakeUp2 = 0x6D;
inline constexpr uint8_t kAck = 0x05;
inline constexpr size_t kBlockSize = 128;

inline constexpr uint8_t kCmdSetAddress = 0x00;
inline constexpr uint8_t kCmdWriteBlock = 0x01;
inline constexpr uint8_t kCmdToggleProtect = 0x0A;
inline constexpr uint8_t kCmdRestart = 0x0E;
inline constexpr uint8_t kCmdKeyPress = 0x0F;
inline constexpr uint8_t kCmdReadBlock = 0x11;
inline constexpr uint8_t kCmdReadProtect = 0x1A;

// Addresses the programs rely on.
inline constexpr uint32_t kConfigBase = 0x1C000;
inline constexpr uint32_t kRevisionBlock = 0x1C100;
inline constexpr size_t kRevisionOffset = 19;
inline constexpr uint32_t kRevisionWord = 0x1C112; // word whose low byte is the revision
inline constexpr uint32_t kIdentityBlockNew = 0x1F80; // revision '1' and up
inline constexpr uint32_t kIdentityBlockOld = 0x1C000;
inline constexpr uint32_t kVersionArea = 0x18000;
inline constexpr int kVersionAreaBlocks = 16;

// Bits 0-7, bits 8-13 and bits 14-21 of a 22-bit address, in sending order.
std::array<uint8_t, 3> AddressBytes(uint32_t address);

// The 22-bit address space: an address beyond it would wrap round to 0.
inline constexpr uint64_t kAddressSpace = 0x400000;
// True when length bytes from start lie within the address space.
inline bool InAddressSpace(uint64_t start, uint64_t length)
{
    return start <= kAddressSpace && length <= kAddressSpace - start;
}
// The refusal of a range that does not: "The range $3FFF80 to $40007F lies
// beyond the instrument's address space ($0 to $3FFFFF)."
std::string AddressRangeError(uint64_t start, uint64_t length);
// Shows that refusal and returns true when the range leaves the space.
bool RefuseBeyondAddressSpace(Prompter& prompter, uint64_t start, uint64_t length);

// One's complement of the 8-bit sum, so that sum + checksum = 0xFF.
uint8_t BlockChecksum(const uint8_t* data, size_t n);
bool BlockChecksumMatches(const uint8_t* data, size_t n, uint8_t checksum);

// The count byte: a read sends the count itself, a write the count minus one.
inline uint8_t ReadCountByte(size_t count) { return uint8_t(count & 0xFF); }
inline uint8_t WriteCountByte(size_t count) { return uint8_t((count - 1) & 0xFF); }

// Sum modulo 256, XOR 0x55: the check of I/O-interface records and blocks.
uint8_t Checksum55(const uint8_t* data, size_t n);

// Address of the identity block for a revision character.
inline uint32_t IdentityBlock(char revision)
{
    return uint8_t(revision) >= uint8_t('1') ? kIdentityBlockNew : kIdentityBlockOld;
}

inline uint16_t BigEndianWord(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }

} // namespace qv::wire
