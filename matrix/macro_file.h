#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qv {

// A macro file (.MCR): plain text lines. The first line starting with
// "MacroName=" (any case) names the macro; lines starting with "." are DOT
// commands sent as they are; everything else is ignored.
inline constexpr char kMacroNameKey[] = "MacroName=";
inline constexpr size_t kMacroNameLength = 25;
inline constexpr char kUnnamedMacro[] = "Unnamed Macro";
inline constexpr char kMacroAccessError[] = "The macro could not be accessed.";
// A macro is a short list of commands; anything longer is not one.
inline constexpr size_t kMacroFileLimit = 1024 * 1024;

struct MacroFile {
    std::string name = kUnnamedMacro;
    std::vector<std::string> lines; // every line, without its line end
};

// The lines of a text, split at "\r\n", "\n" or "\r".
std::vector<std::string> MacroTextLines(const std::string& text);
// The name given by the first name line, cut to 25 characters.
std::string MacroName(const std::vector<std::string>& lines);
bool IsMacroCommand(const std::string& line);

MacroFile ParseMacroText(const std::string& text);
// False when the file cannot be read (or is far too large for a macro).
bool ReadMacroFile(const std::string& path, MacroFile& macro);

// The file as the recorder writes it: the name line when there is a name,
// then the commands, each line ending "\r\n".
std::string MacroFileText(const std::string& name, const std::vector<std::string>& commands);
// Writes it atomically; false with the platform's reason.
bool SaveMacroFile(const std::string& path, const std::string& name, const std::vector<std::string>& commands,
                   std::string& error);

} // namespace qv
