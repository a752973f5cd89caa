#pragma once

#include <cstddef>
#include <cstdint>

namespace qv::sim {

// The instrument's side of the binary protocol. Kept apart from the link's
// own constants on purpose: a wrong value on either side then shows up in
// the flow tests instead of being mirrored.
inline constexpr uint8_t kWakeUp1 = 0xA6;
inline constexpr uint8_t kWakeUp2 = 0x6D;
inline constexpr uint8_t kAck = 0x05;
inline constexpr uint8_t kNak = 0x15;

inline constexpr uint8_t kSetAddress = 0x00;
inline constexpr uint8_t kWriteBlock = 0x01;
inline constexpr uint8_t kToggleProtect = 0x0A;
inline constexpr uint8_t kRestart = 0x0E;
inline constexpr uint8_t kKeyPress = 0x0F;
inline constexpr uint8_t kReadBlock = 0x11;
inline constexpr uint8_t kReadProtect = 0x1A;

inline constexpr uint32_t kAddressMask = 0x3FFFFF;

// One's complement of the 8-bit sum: data sum + checksum = 0xFF.
inline uint8_t blockChecksum(const uint8_t* data, size_t n)
{
    uint8_t sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum = uint8_t(sum + data[i]);
    return uint8_t(~sum);
}

} // namespace qv::sim
