#include "value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace qv {

namespace {

bool IsSeparator(char c)
{
    return c == '\'' || c == '*' || c == '+' || c == '-' || c == '/';
}

std::vector<std::string> Words(const std::string& text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (IsSeparator(c)) {
            if (!word.empty())
                words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        words.push_back(word);
    return words;
}

std::string Trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::optional<int64_t> Integer(const std::string& word)
{
    std::string w = Trimmed(word);
    int base = 10;
    if (!w.empty() && w[0] == '$') {
        base = 16;
        w.erase(0, 1);
    }
    int64_t value = 0;
    auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), value, base);
    if (w.empty() || ec != std::errc() || end != w.data() + w.size())
        return std::nullopt;
    return value;
}

std::optional<double> Real(const std::string& word)
{
    std::string w = Trimmed(word);
    double value = 0;
    auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), value);
    if (w.empty() || ec != std::errc() || end != w.data() + w.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int64_t> EvaluateValueText(const std::string& text)
{
    const auto words = Words(text);
    if (words.empty())
        return std::nullopt;
    if (words.size() == 1)
        return Integer(words[0]);

    const auto a = Integer(words[0]);
    const auto b = Real(words[1]);
    if (!a || !b)
        return std::nullopt;
    double result = 0;
    if (text.find('*') != std::string::npos)
        result = double(*a) * *b;
    else if (text.find('+') != std::string::npos)
        result = double(*a) + *b;
    else if (text.find('-') != std::string::npos)
        result = double(*a) - *b;
    else if (text.find('/') != std::string::npos && *b != 0)
        result = double(*a) / *b;
    else
        return std::nullopt; // an apostrophe alone, or a division by zero
    // Beyond the 64-bit range there is no integer to truncate to.
    const double whole = std::trunc(result);
    constexpr double kLimit = 9223372036854775808.0; // 2^63
    if (!(whole >= -kLimit && whole < kLimit))
        return std::nullopt;
    return int64_t(whole);
}

std::string HexText(uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, unsigned(value));
    return text;
}

} // namespace qv
