#include "dot_command.h"

#include <cctype>

namespace qv::sim {

namespace {

bool isLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

std::vector<std::string> splitArguments(std::string_view text)
{
    std::vector<std::string> arguments;
    if (text.empty())
        return arguments;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        arguments.emplace_back(text.substr(start, comma - start));
        if (comma == std::string_view::npos)
            return arguments;
        start = comma + 1;
    }
}

} // namespace

std::optional<DotCommand> parseDotCommand(std::string_view line)
{
    if (line.size() < 2 || line[0] != '.' || !isLetter(line[1]))
        return std::nullopt;
    DotCommand command;
    command.operation = line[1];
    size_t i = 2;
    while (i < line.size() && isLetter(line[i]))
        command.object += line[i++];
    std::string_view rest = line.substr(i);
    if (!rest.empty() && rest.back() == '*') {
        command.remote = true;
        rest.remove_suffix(1);
    }
    command.arguments = splitArguments(rest);
    return command;
}

std::optional<int> dotNumber(const std::string& argument)
{
    if (argument.empty() || argument.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : argument) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> dotSignedNumber(const std::string& argument)
{
    if (!argument.empty() && argument[0] == '-') {
        const auto magnitude = dotNumber(argument.substr(1));
        return magnitude ? std::optional<int>(-*magnitude) : std::nullopt;
    }
    return dotNumber(argument);
}

std::string commandTail(const DotCommand& command)
{
    std::string tail = command.object;
    for (size_t i = 0; i < command.arguments.size(); ++i)
        tail += (i ? "," : "") + command.arguments[i];
    return command.remote ? tail + "*" : tail;
}

} // namespace qv::sim
