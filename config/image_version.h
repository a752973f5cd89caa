#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// A software version held as 0xMMmm whose hexadecimal digits are the
// decimal digits of the version: 5.30 is 0x0530. Versions compare as numbers.

// "05.30" for 0x0530.
std::string ImageVersionText(uint16_t version);

// Text M.mm or MM.mm, both sides hexadecimal, at most two digits after the
// full stop. Anything else gives nothing, so the caller keeps its value.
std::optional<uint16_t> ParseImageVersion(std::string_view text);

// From an instrument's decimal version number: two decimals, separators
// removed, the digits read as hexadecimal (5.3 gives 0x530). Negative,
// non-finite or absurdly large numbers give 0. The result can exceed 16 bits
// (256.0 gives 0x25600), which still compares above every real version.
uint32_t ImageVersionFromDecimal(double version);

} // namespace qv
