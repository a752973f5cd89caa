#include "identity_trailer.h"

#include <algorithm>
#include <string_view>

namespace qv {

namespace {

bool ShortStringEquals(std::span<const uint8_t> stored, std::string_view expected)
{
    // A length byte beyond the field's capacity cannot match anything we expect.
    const size_t length = stored[0];
    if (length != expected.size() || length + 1 > stored.size())
        return false;
    return std::equal(expected.begin(), expected.end(), stored.begin() + 1,
                      [](char e, uint8_t s) { return uint8_t(e) == s; });
}

void Put16(uint8_t* at, uint16_t v)
{
    at[0] = uint8_t(v);
    at[1] = uint8_t(v >> 8);
}

void Put32(uint8_t* at, uint32_t v)
{
    Put16(at, uint16_t(v));
    Put16(at + 2, uint16_t(v >> 16));
}

uint16_t Get16(const uint8_t* at)
{
    return uint16_t(at[0] | (at[1] << 8));
}

uint32_t Get32(const uint8_t* at)
{
    return uint32_t(Get16(at)) | (uint32_t(Get16(at + 2)) << 16);
}

} // namespace

bool IdentityTrailer::markersValid() const
{
    return ShortStringEquals(marker1, "QVT_") && ShortStringEquals(marker2, "P001");
}

void IdentityTrailer::clearOrigin()
{
    serial = 0;
    type = 0;
    version = 0;
    extendedBiosVersion = 0;
    hardwareId = 0;
    checksum = 0;
}

std::array<uint8_t, IdentityTrailer::kSize> IdentityTrailer::encode() const
{
    std::array<uint8_t, kSize> bytes{};
    std::copy(marker1.begin(), marker1.end(), bytes.begin());
    std::copy(marker2.begin(), marker2.end(), bytes.begin() + 5);
    Put32(&bytes[12], uint32_t(serial));
    Put32(&bytes[16], uint32_t(type));
    Put32(&bytes[20], version);
    Put16(&bytes[24], extendedBiosVersion);
    Put16(&bytes[26], hardwareId);
    Put32(&bytes[kTrailerChecksumOffset], checksum);
    return bytes;
}

IdentityTrailer IdentityTrailer::decode(std::span<const uint8_t, kSize> bytes)
{
    IdentityTrailer t;
    std::copy_n(bytes.begin(), t.marker1.size(), t.marker1.begin());
    std::copy_n(bytes.begin() + 5, t.marker2.size(), t.marker2.begin());
    t.serial = int32_t(Get32(&bytes[12]));
    t.type = int32_t(Get32(&bytes[16]));
    t.version = Get32(&bytes[20]);
    t.extendedBiosVersion = Get16(&bytes[24]);
    t.hardwareId = Get16(&bytes[26]);
    t.checksum = Get32(&bytes[kTrailerChecksumOffset]);
    return t;
}

} // namespace qv
