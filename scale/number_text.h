#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// A number typed by the user, and the conversion messages to show for the
// parts that did not read (each such part counts as 0).
struct ParsedNumber {
    double value = 0.0;
    std::vector<std::string> errors;
};

// Either separator is accepted; at most five characters of the integer part
// and three decimals count: "1.2345" is 1.234, "123456" is 12345.
ParsedNumber String2Float(std::string_view text);

// The editor's display of a stored value: fixed point, one decimal, at most
// seven significant digits (larger values in exponent form).
std::string FormatScaleValue(double value, char separator = '.');

// Optional sign, then decimal digits, within the 32-bit range.
std::optional<int32_t> ParseDecimalInteger(std::string_view text);

// The message shown when text does not read as an integer.
std::string ConversionErrorMessage(std::string_view text);

} // namespace qv
