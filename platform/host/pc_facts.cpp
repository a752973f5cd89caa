#include "pc_facts.h"

#include <charconv>

namespace qv {

namespace {

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// Calls f(key, value) for each "key: value" line.
template <typename F>
void ForEachField(std::string_view text, F f)
{
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const size_t colon = line.find(':');
        if (colon != std::string_view::npos)
            f(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
    }
}

std::optional<int64_t> LeadingInteger(std::string_view s)
{
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end == s.data() || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

MemoryFigures ParseMemInfo(std::string_view text)
{
    MemoryFigures figures;
    std::optional<int64_t> free;
    ForEachField(text, [&](std::string_view key, std::string_view value) {
        if (key == "MemTotal")
            figures.totalKb = LeadingInteger(value);
        else if (key == "MemAvailable")
            figures.availableKb = LeadingInteger(value);
        else if (key == "MemFree")
            free = LeadingInteger(value);
    });
    if (!figures.availableKb)
        figures.availableKb = free;
    return figures;
}

std::optional<int64_t> ParseUptime(std::string_view text)
{
    return LeadingInteger(Trim(text));
}

std::optional<double> ParseCpuMhz(std::string_view text)
{
    std::optional<double> mhz;
    ForEachField(text, [&](std::string_view key, std::string_view value) {
        if (mhz || key != "cpu MHz")
            return;
        // from_chars: the full stop whatever the user's locale says.
        double v = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), v);
        if (ec == std::errc() && end != value.data() && v > 0)
            mhz = v;
    });
    return mhz;
}

ReleaseNumbers ParseRelease(std::string_view release)
{
    int numbers[3] = {};
    const char* p = release.data();
    const char* end = p + release.size();
    for (int& n : numbers) {
        const auto [next, ec] = std::from_chars(p, end, n);
        if (ec != std::errc())
            break;
        p = next;
        if (p == end || *p != '.')
            break;
        ++p;
    }
    return {numbers[0], numbers[1], numbers[2]};
}

} // namespace qv
