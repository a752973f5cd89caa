#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv::sim {

// One DOT command line as the instrument receives it, without its
// terminator: "." + operation letter + object letters + arguments
// separated by ",", optionally ending in "*" (sent by remote control).
struct DotCommand {
    char operation = 0;                  // 'S' set, 'L' list
    std::string object;                  // "I" of ".LI1,-", "m" of ".Sm10,20"
    std::vector<std::string> arguments;  // "-" asks for the current value
    bool remote = false;
};

// Nothing when the line is not a DOT command with an operation letter.
std::optional<DotCommand> parseDotCommand(std::string_view line);

// A plain non-negative decimal argument; nothing for "-", empty or other text.
std::optional<int> dotNumber(const std::string& argument);
// The same with an optional leading "-".
std::optional<int> dotSignedNumber(const std::string& argument);

// The command from its third character, as acknowledgements repeat it:
// "A5,12*" of ".SA5,12*".
std::string commandTail(const DotCommand& command);

} // namespace qv::sim
