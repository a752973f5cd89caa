#include "flash_codec.h"

#include "link/wire_protocol.h"

#include <algorithm>

namespace qv::flash {

namespace {

constexpr uint32_t kLargest = 0xFFFF;

void PutWord(std::string& out, unsigned value)
{
    out += char((value >> 8) & 0xFF);
    out += char(value & 0xFF);
}

} // namespace

std::optional<SectorRange> FitSectors(uint32_t address, size_t sectors)
{
    const uint32_t sector = address / kSectorBytes;
    if (sector > kLargest || sectors > kLargest)
        return std::nullopt;
    return SectorRange{uint16_t(sector), uint16_t(sectors)};
}

size_t SectorsFor(size_t bytes)
{
    return (bytes + kSectorBytes - 1) / kSectorBytes;
}

std::string ReadHeader(SectorRange range)
{
    std::string header(1, char(kNext));
    PutWord(header, range.sector);
    PutWord(header, range.count);
    return header;
}

std::string WriteHeader(SectorRange range)
{
    std::string header(1, char(kWriteHeaderMark));
    PutWord(header, range.sector);
    PutWord(header, range.count);
    PutWord(header, unsigned(kWritePayload));
    return header;
}

unsigned BlockCapacity(std::string_view startReply)
{
    if (startReply.size() < 3)
        return 0;
    return unsigned(uint8_t(startReply[1])) << 8 | uint8_t(startReply[2]);
}

size_t WriteBlocksFor(size_t imageBytes, unsigned capacity)
{
    const size_t payload = capacity > 1 ? capacity - 1 : kWritePayload;
    return (imageBytes + payload - 1) / payload;
}

std::vector<uint8_t> WriteBlock(const std::vector<uint8_t>& image, size_t index)
{
    std::vector<uint8_t> block(kWritePayload, kPadding);
    const size_t start = index * kWritePayload;
    if (start < image.size()) {
        const size_t n = std::min(kWritePayload, image.size() - start);
        std::copy_n(image.begin() + std::ptrdiff_t(start), n, block.begin());
    }
    return block;
}

bool ReadBlockIntact(std::string_view block)
{
    if (block.size() < kReadBlockBytes)
        return false;
    const auto* data = reinterpret_cast<const uint8_t*>(block.data());
    return wire::Checksum55(data, kSectorBytes) == data[kSectorBytes];
}

} // namespace qv::flash
