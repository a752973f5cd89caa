#include "hex_data.h"

#include "platform/host/prompter.h"
#include "platform/host/text_case.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <limits>

namespace qv {

namespace {

bool AllDecimal(std::string_view text)
{
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return !text.empty();
}

bool AllHex(std::string_view text)
{
    for (char c : text)
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

std::string Padded(std::string digits, int width)
{
    const size_t wanted = width > 1 ? size_t(width - 1) : 0;
    if (digits.size() < wanted)
        digits.insert(0, wanted - digits.size(), '0');
    return "$" + digits;
}

constexpr unsigned long kLargest = std::numeric_limits<uint32_t>::max();

} // namespace

std::optional<std::string> ValidateHexData(int width, std::string_view text)
{
    if (text.starts_with("$")) {
        if (text.size() > size_t(width) || !AllHex(text.substr(1)))
            return std::nullopt;
        return Padded(Upper(text.substr(1)), width);
    }
    if (!AllDecimal(text))
        return std::nullopt;
    // A number beyond 32 bits is kept as the largest, which is out of range
    // for every field it could be meant for.
    unsigned long value = 0;
    for (char c : text) {
        value = value * 10 + unsigned(c - '0');
        if (value > kLargest) {
            value = kLargest;
            break;
        }
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "%lX", value);
    return Padded(hex, width);
}

unsigned long HexDataValue(std::string_view validated)
{
    unsigned long value = 0;
    for (char c : validated.substr(validated.starts_with("$") ? 1 : 0)) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10;
        value = value * 16 + unsigned(digit);
        if (value > kLargest)
            return kLargest;
    }
    return value;
}

uint16_t AskWordValue(Prompter& prompter, const std::string& prompt, uint16_t value)
{
    constexpr int kInputWidth = 5;
    for (;;) {
        const auto answer = prompter.inputBox("Input.", prompt, std::to_string(value));
        if (!answer)
            return value;
        const auto valid = ValidateHexData(kInputWidth, *answer);
        if (!valid) {
            prompter.error("Illegal data, please try again.");
            continue;
        }
        const unsigned long number = HexDataValue(*valid);
        if (number > 0xFFFF) {
            prompter.error("Data is out of range, please try again.");
            continue;
        }
        return uint16_t(number);
    }
}

} // namespace qv
