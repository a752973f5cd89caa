#pragma once

// File names and typed words are matched in any case, as users write them.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

inline std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

inline bool EndsWithNoCase(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() &&
           std::equal(tail.begin(), tail.end(), text.end() - long(tail.size()),
                      [](char a, char b) { return std::toupper(uint8_t(a)) == std::toupper(uint8_t(b)); });
}

} // namespace qv
