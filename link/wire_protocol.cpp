#include "wire_protocol.h"

namespace qv::wire {

std::array<uint8_t, 3> AddressBytes(uint32_t address)
{
    return {uint8_t(address & 0xFF), uint8_t((address >> 8) & 0x3F), uint8_t((address >> 14) & 0xFF)};
}

static uint8_t Sum8(const uint8_t* data, size_t n)
{
    unsigned sum = 0;
    for (size_t i = 0; i < n; ++i)
        sum += data[i];
    return uint8_t(sum & 0xFF);
}

uint8_t BlockChecksum(const uint8_t* data, size_t n)
{
    return uint8_t(~Sum8(data, n));
}

bool BlockChecksumMatches(const uint8_t* data, size_t n, uint8_t checksum)
{
    return uint8_t(Sum8(data, n) + checksum) == 0xFF;
}

uint8_t Checksum55(const uint8_t* data, size_t n)
{
    return uint8_t(Sum8(data, n) ^ 0x55);
}

} // namespace qv::wire
