#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qv {

// The fields of the 276-byte package header, texts as their lengths say.
struct CdpHeader {
    std::string magic;
    std::string version;
    std::string description;
    uint32_t crc = 0;
    uint16_t count = 0;
};

struct CdpItem {
    uint32_t offset = 0; // of the item header in the file
    uint32_t mask = 0;
    uint16_t kind = 0;
    uint32_t size = 0;
    uint32_t address = 0;
    std::string description;
    // The payload the kind calls for: a view into the package bytes.
    std::span<const uint8_t> payload;

    // The 16-bit value (or the byte) of a value item; 0 for other kinds.
    uint16_t value() const;
};

struct CdpPackage {
    CdpHeader header;
    std::vector<CdpItem> items; // in table order
};

// Nothing when the file is shorter than a header.
std::optional<CdpHeader> ReadCdpHeader(std::span<const uint8_t> file);

// The item whose header starts at offset; nothing when the header or its
// payload does not lie wholly inside the file.
std::optional<CdpItem> ReadCdpItem(std::span<const uint8_t> file, uint32_t offset);

// Header, table and every item, each checked against the file size first.
// Nothing when any of them lies outside the file. Checks neither magic,
// version nor CRC: that is VerifyFileHeader's job.
std::optional<CdpPackage> ReadCdp(std::span<const uint8_t> file);

} // namespace qv
