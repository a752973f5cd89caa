#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace qv {

// The 32 bytes after the image in a preset file: where the image came from
// and its checksum. Integers little-endian.
struct IdentityTrailer {
    static constexpr size_t kSize = 32;

    // Length byte and characters, as stored; marker 2 carries two spare bytes.
    std::array<uint8_t, 5> marker1{4, 'Q', 'V', 'T', '_'};
    std::array<uint8_t, 7> marker2{4, 'P', '0', '0', '1', 0, 0};
    int32_t serial = 0;
    int32_t type = 0;     // instrument type code
    uint32_t version = 0; // ImageVersion in the low 16 bits
    uint16_t extendedBiosVersion = 0;
    uint16_t hardwareId = 0;
    uint32_t checksum = 0; // 0: not computed yet

    // Each marker's length byte and as many characters as it states must
    // read "QVT_" and "P001"; a difference in case fails.
    bool markersValid() const;

    // The image has no known origin or version (raw file); markers stay.
    void clearOrigin();

    uint16_t imageVersion() const { return uint16_t(version & 0xFFFF); }

    std::array<uint8_t, kSize> encode() const;
    static IdentityTrailer decode(std::span<const uint8_t, kSize> bytes);

    bool operator==(const IdentityTrailer&) const = default;
};

// Byte offset of the checksum field inside the trailer.
inline constexpr size_t kTrailerChecksumOffset = 28;

} // namespace qv
