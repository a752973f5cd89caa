#include "cdp_writer.h"

#include "cdp_format.h"
#include "crc32.h"
#include "platform/host/file_io.h"

#include <algorithm>
#include <limits>

namespace qv {

std::vector<uint8_t> CdpValuePayload(uint16_t kind, uint16_t value)
{
    if (CdpPayloadOf(kind) == CdpPayload::Byte)
        return {uint8_t(value)};
    return {uint8_t(value), uint8_t(value >> 8)};
}

void PutCdpHeader(std::span<uint8_t> file, std::string_view version, std::string_view description, uint16_t count)
{
    std::fill_n(file.begin(), kCdpHeaderSize, 0);
    PutShortString(file, kCdpMagicOffset, kCdpCodeCapacity, kCdpMagic);
    PutShortString(file, kCdpVersionOffset, kCdpCodeCapacity, version);
    PutShortString(file, kCdpDescriptionOffset, kCdpDescriptionCapacity, description);
    PutLe16(file, kCdpCountOffset, count);
}

void PutCdpTableEntry(std::span<uint8_t> file, size_t index, uint32_t offset)
{
    const size_t at = kCdpTableOffset + index * kCdpTableEntrySize;
    PutLe32(file, at, offset);
    PutLe32(file, at + 4, 0);
}

void PutCdpItemHeader(std::span<uint8_t> file, uint32_t offset, uint32_t mask, uint16_t kind, uint32_t size,
                      uint32_t address, std::string_view description)
{
    auto header = file.subspan(offset, kCdpItemHeaderSize);
    std::fill(header.begin(), header.end(), 0);
    PutLe32(header, kCdpItemMaskOffset, mask);
    PutLe16(header, kCdpItemKindOffset, kind);
    PutLe32(header, kCdpItemSizeOffset, size);
    PutLe32(header, kCdpItemAddressOffset, address);
    PutShortString(header, kCdpItemDescriptionOffset, kCdpDescriptionCapacity, description);
}

uint32_t PatchCdpCrc(std::span<uint8_t> file)
{
    PutLe32(file, kCdpCrcOffset, 0);
    const uint32_t crc = CRC32(file);
    PutLe32(file, kCdpCrcOffset, crc);
    return crc;
}

namespace {

constexpr uint64_t kMaxOffset = std::numeric_limits<uint32_t>::max();

std::string ItemError(size_t index, const std::string& what)
{
    return "item " + std::to_string(index + 1) + ": " + what;
}

// The size field to write, or nothing when the payload does not fit the kind.
std::optional<uint32_t> SizeField(const CdpDraftItem& item, size_t index, std::string& error)
{
    const std::string kind = "kind " + std::to_string(item.kind);
    if (item.description.size() > kCdpDescriptionCapacity) {
        error = ItemError(index, "the description is longer than 255 characters");
        return std::nullopt;
    }
    switch (CdpPayloadOf(item.kind)) {
    case CdpPayload::Block:
        if (item.payload.size() > kMaxOffset || (item.size && *item.size != item.payload.size())) {
            error = ItemError(index, "the size field must equal the length of the data");
            return std::nullopt;
        }
        return uint32_t(item.payload.size());
    case CdpPayload::Word:
        if (item.payload.size() != 2) {
            error = ItemError(index, kind + " carries a 2-byte value");
            return std::nullopt;
        }
        break;
    case CdpPayload::Byte:
        if (item.payload.size() != 1) {
            error = ItemError(index, kind + " carries a 1-byte value");
            return std::nullopt;
        }
        break;
    case CdpPayload::None:
        if (!item.payload.empty()) {
            error = ItemError(index, kind + " carries no data");
            return std::nullopt;
        }
        break;
    }
    return item.size.value_or(0);
}

} // namespace

std::optional<std::vector<uint8_t>> BuildCdp(const CdpDraft& draft, std::string& error)
{
    if (draft.version.size() > kCdpCodeCapacity) {
        error = "the format version is longer than 4 characters";
        return std::nullopt;
    }
    if (draft.description.size() > kCdpDescriptionCapacity) {
        error = "the description is longer than 255 characters";
        return std::nullopt;
    }
    if (draft.items.size() > kCdpMaxItems) {
        error = "a package holds at most 65535 items";
        return std::nullopt;
    }

    // Lay the items out before writing anything.
    std::vector<uint32_t> sizes;
    std::vector<uint32_t> offsets;
    uint64_t end = std::max<uint64_t>(kCdpFirstItemOffset, kCdpTableOffset + draft.items.size() * kCdpTableEntrySize);
    for (size_t i = 0; i < draft.items.size(); ++i) {
        auto size = SizeField(draft.items[i], i, error);
        if (!size)
            return std::nullopt;
        if (end > kMaxOffset) {
            error = "the package is too large for 32-bit offsets";
            return std::nullopt;
        }
        sizes.push_back(*size);
        offsets.push_back(uint32_t(end));
        end += kCdpItemHeaderSize + draft.items[i].payload.size();
    }

    std::vector<uint8_t> file(size_t(end), 0);
    PutCdpHeader(file, draft.version, draft.description, uint16_t(draft.items.size()));
    for (size_t i = 0; i < draft.items.size(); ++i) {
        const CdpDraftItem& item = draft.items[i];
        PutCdpTableEntry(file, i, offsets[i]);
        PutCdpItemHeader(file, offsets[i], item.mask, item.kind, sizes[i], item.address, item.description);
        std::copy(item.payload.begin(), item.payload.end(), file.begin() + std::ptrdiff_t(offsets[i] + kCdpItemHeaderSize));
    }
    PatchCdpCrc(file);
    return file;
}

bool WriteCdp(const std::string& path, const CdpDraft& draft, std::string& error)
{
    auto file = BuildCdp(draft, error);
    if (!file)
        return false;
    if (!WriteFileAtomically(path, *file, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace qv
