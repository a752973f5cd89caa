#include "image_version.h"

#include <cmath>
#include <cstdio>

namespace qv {

namespace {

std::optional<unsigned> ParseHex(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    unsigned value = 0;
    for (char c : digits) {
        unsigned d;
        if (c >= '0' && c <= '9')
            d = unsigned(c - '0');
        else if (c >= 'A' && c <= 'F')
            d = unsigned(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            d = unsigned(c - 'a' + 10);
        else
            return std::nullopt;
        value = value * 16 + d;
    }
    return value;
}

} // namespace

std::string ImageVersionText(uint16_t version)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X.%02X", unsigned(version >> 8), unsigned(version & 0xFF));
    return text;
}

std::optional<uint16_t> ParseImageVersion(std::string_view text)
{
    const size_t dot = text.find('.');
    if (dot != 1 && dot != 2)
        return std::nullopt;
    const std::string_view minorText = text.substr(dot + 1);
    if (minorText.size() > 2)
        return std::nullopt;
    const auto major = ParseHex(text.substr(0, dot));
    const auto minor = ParseHex(minorText);
    if (!major || !minor)
        return std::nullopt;
    return uint16_t((*major << 8) | *minor);
}

uint32_t ImageVersionFromDecimal(double version)
{
    // Eight hexadecimal digits at most: 999999.99 is the largest we accept.
    if (!std::isfinite(version) || version < 0 || version >= 1000000)
        return 0;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", version);
    uint32_t value = 0;
    for (const char* c = text; *c; ++c)
        if (*c >= '0' && *c <= '9')
            value = value * 16 + uint32_t(*c - '0');
    return value;
}

} // namespace qv
