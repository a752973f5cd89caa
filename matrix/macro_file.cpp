#include "macro_file.h"

#include "platform/host/file_io.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <span>

namespace qv {

std::vector<std::string> MacroTextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c != '\r' && c != '\n') {
            line += c;
            continue;
        }
        if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n')
            ++k;
        lines.push_back(std::move(line));
        line.clear();
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

namespace {

bool IsNameLine(const std::string& line)
{
    const std::string key = kMacroNameKey;
    return line.size() >= key.size() && std::equal(key.begin(), key.end(), line.begin(), [](char a, char b) {
               return std::toupper(uint8_t(a)) == std::toupper(uint8_t(b));
           });
}

} // namespace

std::string MacroName(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        if (IsNameLine(line))
            return line.substr(std::char_traits<char>::length(kMacroNameKey), kMacroNameLength);
    return kUnnamedMacro;
}

bool IsMacroCommand(const std::string& line)
{
    return !line.empty() && line[0] == '.';
}

MacroFile ParseMacroText(const std::string& text)
{
    MacroFile macro;
    macro.lines = MacroTextLines(text);
    macro.name = MacroName(macro.lines);
    return macro;
}

bool ReadMacroFile(const std::string& path, MacroFile& macro)
{
    const FileRead file = ReadFileUpTo(path, kMacroFileLimit);
    if (file.status != FileRead::Status::Ok)
        return false;
    macro = ParseMacroText(std::string(file.bytes.begin(), file.bytes.end()));
    return true;
}

std::string MacroFileText(const std::string& name, const std::vector<std::string>& commands)
{
    std::string text;
    if (!name.empty())
        text += kMacroNameKey + name + "\r\n";
    for (const std::string& command : commands)
        text += command + "\r\n";
    return text;
}

bool SaveMacroFile(const std::string& path, const std::string& name, const std::vector<std::string>& commands,
                   std::string& error)
{
    const std::string text = MacroFileText(name, commands);
    const auto* data = reinterpret_cast<const uint8_t*>(text.data());
    return WriteFileAtomically(path, std::span<const uint8_t>(data, text.size()), error);
}

} // namespace qv
