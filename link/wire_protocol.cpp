#include "wire_protocol.h"

#include "platform/host/prompter.h"

#include <cstdio>

namespace qv::wire {

std::array<uint8_t, 3> AddressBytes(uint32_t address)
{
    return {uint8_t(address & 0xFF), uint8_t((address >> 8) & 0x3F), uint8_t((address >> 14) & 0xFF)};
}

std::string AddressRangeError(uint64_t start, uint64_t length)
{
    const uint64_t last = length > 0 ? start + length - 1 : start;
    char text[128];
    std::snprintf(text, sizeof text,
                  "The range $%llX to $%llX lies beyond the instrument's address space ($0 to $%llX).",
                  static_cast<unsigned long long>(start), static_cast<unsigned long long>(last),
                  static_cast<unsigned long long>(kAddressSpace - 1));
    return text;
}

bool RefuseBeyondAddressSpace(Prompter& prompter, uint64_t start, uint64_t length)
{
    if (InAddressSpace(start, length))
        return false;
    prompter.error(AddressRangeError(start, length));
    return true;
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
