#include "version_marker.h"

#include <charconv>

namespace qv {

std::optional<std::string> FindVersionText(const uint8_t* data, size_t n)
{
    // A mismatch restarts the marker without testing the same byte again.
    size_t k = 0;
    size_t start = 0;
    for (size_t i = 0; i < n; ++i) {
        if (data[i] == uint8_t(kVersionMarker[k])) {
            if (++k == kVersionMarkerLength) {
                start = i + 1;
                break;
            }
        } else {
            k = 0;
        }
    }
    if (k < kVersionMarkerLength)
        return std::nullopt;

    std::string text;
    for (size_t pair = 0; pair < kVersionTextPairs; ++pair) {
        size_t at = start + 2 * pair;
        if (at + 1 >= n)
            break;
        for (char c : {char(data[at + 1]), char(data[at])})
            if ((c >= '0' && c <= '9') || c == '.' || c == ',')
                text += c;
    }
    return text;
}

std::optional<double> ParseVersionNumber(const std::string& text, bool commaIsDecimal)
{
    std::string s = text;
    if (commaIsDecimal)
        for (char& c : s)
            if (c == ',')
                c = '.';
    if (s.empty())
        return std::nullopt;
    int points = 0;
    int digits = 0;
    for (char c : s) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return std::nullopt;
    }
    if (points > 1 || digits == 0)
        return std::nullopt;
    // from_chars: independent of the locale the GUI may have set.
    double value = 0;
    std::from_chars(s.data(), s.data() + s.size(), value);
    return value;
}

double UpdateSoftwareVersion(const std::optional<std::vector<uint8_t>>& area)
{
    if (!area)
        return kUpdateVersionNotFound;
    auto text = FindVersionText(area->data(), area->size());
    if (!text)
        return kUpdateVersionNotFound;
    return ParseVersionNumber(*text, false).value_or(1.0);
}

double MatrixSoftwareVersion(const std::optional<std::vector<uint8_t>>& area, bool cancelled)
{
    if (cancelled)
        return 1.0;
    if (!area)
        return 0.0;
    auto text = FindVersionText(area->data(), area->size());
    if (!text)
        return 0.0;
    return ParseVersionNumber(*text, true).value_or(1.0);
}

} // namespace qv
