#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// The value of a word modification as the installer writes it: an integer
// ("$" for hexadecimal), or integer, operator and real number ("100*1.5",
// "100/3"), truncated toward zero. Nothing for text that is not a value.
std::optional<int64_t> EvaluateValueText(const std::string& text);

// Upper-case hexadecimal digits, at least `digits` of them: HexText(0xA1, 4) is "00A1".
std::string HexText(uint32_t value, int digits);

} // namespace qv
