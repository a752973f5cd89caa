#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

using MacBytes = std::array<uint8_t, 6>;

// The status record's twelve hexadecimal characters as six bytes, read pair
// by pair until a pair is not hexadecimal; the bytes from there on keep
// their values in mac.
void ParseMacText(const std::string& macText, MacBytes& mac);

// Our modules carry addresses starting 00:0B:3C or 00:0B:57.
bool MacAddressValid(const MacBytes& mac);

// Two upper-case hexadecimal digits per byte, joined by ":".
std::string MacAddressText(const MacBytes& mac);

// The warning shown for any other address.
std::string IncorrectMacText(const MacBytes& mac);

} // namespace qv
