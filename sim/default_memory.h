#pragma once

#include "instrument_options.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::sim {

// Where the host finds things in the instrument's memory.
inline constexpr uint32_t kProgramEnd = 0x40000;     // 2048 blocks of program memory from 0
inline constexpr uint32_t kVersionArea = 0x18000;    // 2048 bytes searched for the version marker
inline constexpr uint32_t kVersionAreaSize = 0x800;
inline constexpr uint32_t kVersionMarkerAt = kVersionArea + 0x100;
inline constexpr uint32_t kConfigImage = 0x1C000;    // 16384-byte configuration image
inline constexpr uint32_t kConfigImageSize = 0x4000;
inline constexpr uint32_t kRevisionByte = 0x1C113;   // byte 19 of block 0x1C100
inline constexpr uint32_t kIdentityNew = 0x1F80;     // serial word, revision '1' and up
inline constexpr uint32_t kIdentityOld = 0x1C000;    // serial word, older revisions
inline constexpr uint32_t kLcdVideo = 0x40000;
// The display's tables in the configuration image: a colour code per
// element (a word each) and the character set (11 bytes a glyph).
inline constexpr uint32_t kLcdColours = kConfigImage + 0x0400;
inline constexpr uint32_t kLcdFont = kConfigImage + 0x3400;

// Offset in the configuration image of the 128-byte label block of preset
// 1-11; the preset's routing block follows it.
uint32_t presetLabelBlock(int preset);

// The scale slots of "Key 1" to "Key 7", "Leq", "1630 I" and "1630 II",
// slots 1 to 10: 128 big-endian words each, the scale's name first.
inline constexpr int kScaleSlots = 10;
inline constexpr uint32_t kScaleSlotSize = 256;
uint32_t scaleSlotAddress(int slot);

// "5.30" for 0x0530: the hexadecimal digits are the decimal digits.
std::string versionDigits(uint16_t imageVersion);

// Text as the instrument stores it: the two characters of each pair exchanged.
std::vector<uint8_t> pairReversed(const std::string& text);

// The software version the marker in the version area names, as the
// software reports it after a restart; nothing when the area holds none.
std::optional<uint16_t> versionInMemory(const std::vector<uint8_t>& memory);

// The instrument's whole memory as it comes from the factory, made only
// from the options so that every read is predictable.
std::vector<uint8_t> defaultMemory(const InstrumentOptions& options);

} // namespace qv::sim
