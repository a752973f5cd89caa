#include "scale/number_text.h"

#include <algorithm>
#include <cmath>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace qv {

namespace {

constexpr size_t kIntegerDigits = 5;
constexpr size_t kFractionDigits = 3;
constexpr int kSignificantDigits = 7;

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::optional<int32_t> ParseDecimalInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (!AllDigits(text))
        return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return int32_t(value);
}

std::string ConversionErrorMessage(std::string_view text)
{
    return "ConversionError '" + std::string(text) + "' is not a valid integer value";
}

ParsedNumber String2Float(std::string_view typed)
{
    std::string text(typed);
    std::replace(text.begin(), text.end(), '.', ',');
    if (text.find(',') == std::string::npos)
        text += ',';
    const size_t comma = text.find(',');

    ParsedNumber result;
    std::string integerPart = text.substr(0, std::min(comma, kIntegerDigits));
    if (integerPart.empty() || integerPart == "-" || integerPart == "+")
        integerPart = "0";
    double integer = 0.0;
    if (auto value = ParseDecimalInteger(integerPart))
        integer = *value;
    else
        result.errors.push_back(ConversionErrorMessage(integerPart));

    std::string fractionPart = text.substr(comma + 1, kFractionDigits);
    if (fractionPart.empty())
        fractionPart = "0";
    double fraction = 0.0;
    if (AllDigits(fractionPart))
        fraction = *ParseDecimalInteger(fractionPart) / std::pow(10.0, double(fractionPart.size()));
    else
        result.errors.push_back(ConversionErrorMessage(fractionPart));

    // "-0.5": the sign of the integer part is lost on 0, so it is taken from the text.
    if (text.find('-') != std::string::npos)
        fraction = -fraction;
    result.value = integer + fraction;
    return result;
}

std::string FormatScaleValue(double value, char separator)
{
    // to_chars: the C locale's digits whatever locale the program runs in.
    char text[64];
    if (!std::isfinite(value))
        return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);

    // Seven significant decimal digits d.dddddde±X first, then one decimal
    // rounded on those digits, halves away from zero: 0.95 shows as 1.0.
    const std::string significant(
        text, std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, kSignificantDigits - 1).ptr);
    const bool negative = significant[0] == '-';
    const size_t mark = significant.find('e');
    std::string digits = significant.substr(negative ? 1 : 0, mark - (negative ? 1 : 0));
    digits.erase(1, 1); // the point
    const int exponent = std::stoi(significant.substr(mark + 1));
    std::string out;
    if (exponent >= kSignificantDigits) {
        out = significant;
        out[mark] = 'E';
    } else {
        // Tenths: digits × 10^(exponent − 5).
        int64_t tenths = std::stoll(digits);
        const int shift = exponent - (kSignificantDigits - 2);
        if (shift >= 0) {
            for (int i = 0; i < shift; ++i)
                tenths *= 10;
        } else if (-shift > kSignificantDigits + 1) {
            tenths = 0; // below 0.05 by far
        } else {
            int64_t divisor = 1;
            for (int i = 0; i < -shift; ++i)
                divisor *= 10;
            tenths = (tenths + divisor / 2) / divisor;
        }
        out = (negative && tenths != 0 ? "-" : "") + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
    }
    std::replace(out.begin(), out.end(), '.', separator);
    return out;
}

} // namespace qv
