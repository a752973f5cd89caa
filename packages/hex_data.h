#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

class Prompter;

// The check of a value the user typed for a package item: decimal digits,
// or "$" and at most width - 1 hexadecimal digits. The result is the value
// as "$" and uppercase hexadecimal of at least width - 1 digits; nothing for
// any other text.
std::optional<std::string> ValidateHexData(int width, std::string_view text);

// The number a validated text stands for; values too large for 32 bits read
// as the largest 32-bit value, which no 16-bit field takes.
unsigned long HexDataValue(std::string_view validated);

// The value of a word item the user is asked for: the input box "Input."
// with the prompt and the value in decimal, asked again until the answer is
// valid and fits 16 bits. A closed box keeps the value proposed.
uint16_t AskWordValue(Prompter& prompter, const std::string& prompt, uint16_t value);

} // namespace qv
