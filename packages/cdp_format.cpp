#include "cdp_format.h"

#include <algorithm>

namespace qv {

CdpPayload CdpPayloadOf(uint16_t kind)
{
    switch (kind) {
    case kCdpSoftwareBlock:
    case kCdpMainboardFpga:
    case kCdpIoFirmware:
    case kCdpModuleFirmware:
        return CdpPayload::Block;
    case kCdpWriteWord:
    case kCdpKeyPress:
    case kCdpAskWord:
    case kCdpDownloadMode:
    case kCdpBiosMode:
    case kCdpKeyLine:
    case kCdpWholeMemory:
        return CdpPayload::Word;
    case kCdpWriteByte:
        return CdpPayload::Byte;
    default:
        return CdpPayload::None;
    }
}

bool IsUpdateKind(uint16_t kind)
{
    return kind <= kCdpUpgradeTo500 || (kind >= kCdpUpgradeTo510 && kind <= kCdpModuleFirmware) ||
           kind == kCdpWholeMemory || kind == kCdpWriteByte;
}

uint64_t CdpPayloadLength(uint16_t kind, uint32_t size)
{
    switch (CdpPayloadOf(kind)) {
    case CdpPayload::Block:
        return size;
    case CdpPayload::Word:
        return 2;
    case CdpPayload::Byte:
        return 1;
    case CdpPayload::None:
        break;
    }
    return 0;
}

uint16_t GetLe16(std::span<const uint8_t> bytes, size_t at)
{
    return uint16_t(bytes[at] | bytes[at + 1] << 8);
}

uint32_t GetLe32(std::span<const uint8_t> bytes, size_t at)
{
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
}

void PutLe16(std::span<uint8_t> bytes, size_t at, uint16_t value)
{
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

void PutLe32(std::span<uint8_t> bytes, size_t at, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

std::string GetShortString(std::span<const uint8_t> bytes, size_t at, size_t capacity)
{
    const size_t length = std::min<size_t>(bytes[at], capacity);
    return std::string(reinterpret_cast<const char*>(bytes.data() + at + 1), length);
}

bool ShortStringEquals(std::span<const uint8_t> bytes, size_t at, size_t capacity, std::string_view text)
{
    return bytes[at] == text.size() && text.size() <= capacity && GetShortString(bytes, at, capacity) == text;
}

void PutShortString(std::span<uint8_t> bytes, size_t at, size_t capacity, std::string_view text)
{
    const size_t length = std::min(text.size(), capacity);
    bytes[at] = uint8_t(length);
    std::copy_n(text.begin(), length, bytes.begin() + std::ptrdiff_t(at + 1));
    std::fill(bytes.begin() + std::ptrdiff_t(at + 1 + length), bytes.begin() + std::ptrdiff_t(at + 1 + capacity), 0);
}

} // namespace qv
