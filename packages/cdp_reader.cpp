#include "cdp_reader.h"

#include "cdp_format.h"

namespace qv {

uint16_t CdpItem::value() const
{
    switch (CdpPayloadOf(kind)) {
    case CdpPayload::Word:
        return payload.size() >= 2 ? GetLe16(payload, 0) : 0;
    case CdpPayload::Byte:
        return payload.empty() ? 0 : payload[0];
    default:
        return 0;
    }
}

std::optional<CdpHeader> ReadCdpHeader(std::span<const uint8_t> file)
{
    if (file.size() < kCdpHeaderSize)
        return std::nullopt;
    CdpHeader h;
    h.magic = GetShortString(file, kCdpMagicOffset, kCdpCodeCapacity);
    h.version = GetShortString(file, kCdpVersionOffset, kCdpCodeCapacity);
    h.description = GetShortString(file, kCdpDescriptionOffset, kCdpDescriptionCapacity);
    h.crc = GetLe32(file, kCdpCrcOffset);
    h.count = GetLe16(file, kCdpCountOffset);
    return h;
}

std::optional<CdpItem> ReadCdpItem(std::span<const uint8_t> file, uint32_t offset)
{
    // 64-bit sums: offset and size are both up to 32 bits.
    const uint64_t payloadStart = uint64_t(offset) + kCdpItemHeaderSize;
    if (payloadStart > file.size())
        return std::nullopt;
    auto header = file.subspan(offset, kCdpItemHeaderSize);
    CdpItem item;
    item.offset = offset;
    item.mask = GetLe32(header, kCdpItemMaskOffset);
    item.kind = GetLe16(header, kCdpItemKindOffset);
    item.size = GetLe32(header, kCdpItemSizeOffset);
    item.address = GetLe32(header, kCdpItemAddressOffset);
    item.description = GetShortString(header, kCdpItemDescriptionOffset, kCdpDescriptionCapacity);
    const uint64_t length = CdpPayloadLength(item.kind, item.size);
    if (length > file.size() - payloadStart)
        return std::nullopt;
    item.payload = file.subspan(size_t(payloadStart), size_t(length));
    return item;
}

std::optional<CdpPackage> ReadCdp(std::span<const uint8_t> file)
{
    auto header = ReadCdpHeader(file);
    if (!header)
        return std::nullopt;
    const uint64_t tableEnd = kCdpTableOffset + uint64_t(header->count) * kCdpTableEntrySize;
    if (tableEnd > file.size())
        return std::nullopt;
    CdpPackage package;
    package.header = *header;
    package.items.reserve(header->count);
    for (size_t i = 0; i < header->count; ++i) {
        // Table entries are 64-bit; only the low half is an offset.
        const uint32_t offset = GetLe32(file, kCdpTableOffset + i * kCdpTableEntrySize);
        auto item = ReadCdpItem(file, offset);
        if (!item)
            return std::nullopt;
        package.items.push_back(std::move(*item));
    }
    return package;
}

} // namespace qv
