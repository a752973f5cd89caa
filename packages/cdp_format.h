#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv {

// Layout of a compiled distribution package (.CDP). Numbers are little-endian.
inline constexpr size_t kCdpHeaderSize = 276;
inline constexpr size_t kCdpMagicOffset = 0;
inline constexpr size_t kCdpVersionOffset = 5;
inline constexpr size_t kCdpDescriptionOffset = 10;
inline constexpr size_t kCdpCrcOffset = 268;
inline constexpr size_t kCdpCountOffset = 272;

inline constexpr size_t kCdpTableOffset = 276;
inline constexpr size_t kCdpTableEntrySize = 8;
// Writers leave room for four table entries before the first item.
inline constexpr size_t kCdpFirstItemOffset = 308;

inline constexpr size_t kCdpItemHeaderSize = 272;
inline constexpr size_t kCdpItemMaskOffset = 0;
inline constexpr size_t kCdpItemKindOffset = 4;
inline constexpr size_t kCdpItemSizeOffset = 8;
inline constexpr size_t kCdpItemAddressOffset = 12;
inline constexpr size_t kCdpItemDescriptionOffset = 16;

inline constexpr size_t kCdpCodeCapacity = 4;          // magic and format version
inline constexpr size_t kCdpDescriptionCapacity = 255; // package and item texts
inline constexpr size_t kCdpMaxItems = 65535;

inline constexpr std::string_view kCdpMagic = "QVT_";

// Item kinds. Files may hold others, which are skipped, so a kind stays a
// plain number wherever it is read.
enum CdpKind : uint16_t {
    kCdpSoftwareBlock = 0,
    kCdpWriteWord = 1,
    kCdpRestart = 2,
    kCdpKeyPress = 3,
    kCdpInformation = 4,
    kCdpWarning = 5,
    kCdpError = 6,
    kCdpAskWord = 7,
    kCdpDownloadMode = 8,
    kCdpUpgradeTo500 = 9,
    kCdpUpgradeTo510 = 11,
    kCdpMainboardFpga = 12,
    kCdpIoFirmware = 13,
    kCdpBuiltInIoFirmware = 14,
    kCdpEraseIoFlash = 15,
    kCdpBiosMode = 16,
    kCdpReloadFpga = 17,
    kCdpKeyLine = 18,
    kCdpModuleFirmware = 19,
    kCdpWholeMemory = 21,
    kCdpWriteByte = 22,
};

// The kinds QV-Update runs; a package may hold others, which are not run.
bool IsUpdateKind(uint16_t kind);

// What follows an item header: nothing, `size` bytes of data, a 16-bit value
// or a single byte.
enum class CdpPayload { None, Block, Word, Byte };

CdpPayload CdpPayloadOf(uint16_t kind);

// Number of payload bytes after the header of an item of this kind.
uint64_t CdpPayloadLength(uint16_t kind, uint32_t size);

uint16_t GetLe16(std::span<const uint8_t> bytes, size_t at);
uint32_t GetLe32(std::span<const uint8_t> bytes, size_t at);
void PutLe16(std::span<uint8_t> bytes, size_t at, uint16_t value);
void PutLe32(std::span<uint8_t> bytes, size_t at, uint32_t value);

// A short string: a length byte, then `capacity` character bytes. A length
// above the capacity is cut to it, so the text never reaches past the field.
std::string GetShortString(std::span<const uint8_t> bytes, size_t at, size_t capacity);

// Exact comparison, length byte included: a length above the capacity never
// equals anything.
bool ShortStringEquals(std::span<const uint8_t> bytes, size_t at, size_t capacity, std::string_view text);

// Writes the length byte, the text and zeros to the end of the field; text
// beyond the capacity is cut.
void PutShortString(std::span<uint8_t> bytes, size_t at, size_t capacity, std::string_view text);

} // namespace qv
