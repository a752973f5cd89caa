#pragma once

#include "platform/host/prompter.h"

#include <string>
#include <string_view>

namespace qv {

// What a label or preset name dialog says when the typed text holds a
// character the instrument cannot show.
inline constexpr char kIllegalTextMessage[] = "The text contains one or more illegal characters.";

// Printable ASCII without the apostrophe: 0x20-0x26 and 0x28-0x7E.
bool IsLegalTextCharacter(char c);
bool IsLegalText(std::string_view text);

// The dialogs' check: shows the error and returns false for illegal text.
bool CheckText(std::string_view text, Prompter& prompter);

// Padded with spaces or cut to exactly `length` characters.
std::string FitText(std::string_view text, size_t length);

} // namespace qv
