#include "input_recognition.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace qv {

namespace {

constexpr const char* kExecuteText = "Press NEXT to execute the command.";

struct CommandEntry {
    const char* text;
    bool anyCase;
    const char* page;
    const char* info; // nullptr keeps kExecuteText
};

// In the order the input box tests them.
constexpr CommandEntry kCommands[] = {
    {"RVT/R", false, "RVT/R", nullptr},
    {"RVT/DLM", false, "FILE", nullptr},
    {"MCU/KEYD", false, "FILE", nullptr},
    {"MCU/KEYU", false, "FILE", nullptr},
    {"MCU/BIOS", false, "FILE", "Press NEXT to reboot the instrument in BIOS mode."},
    {"MCU/FPGAReload", false, "FILE", "Press NEXT to reload the FPGA."},
    {"MCU/ERASE", false, "FILE", "Press NEXT to erase the I/O flash."},
    {"ETH/RESET", false, "FILE", "Press NEXT to reset the ethernet settings."},
    {"HELP", true, "HELP", nullptr},
    {"MCU/FPGA", true, "FILE", nullptr},
    {"RVT/I", false, "FILE", nullptr},
};

bool IsHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

// The last four characters: "." and three more.
std::string Extension(const std::string& name)
{
    if (name.size() < 4 || name[name.size() - 4] != '.')
        return {};
    return name.substr(name.size() - 4);
}

InputRecognition FileRecognition(const std::string& text, const FileExists& exists)
{
    const auto file = [&](InputKind kind, const char* page) {
        return InputRecognition{kind, page, kExecuteText};
    };
    if (EndsWithNoCase(text, "XSVF") && exists(text))
        return file(InputKind::MainboardFpga, "FILE");
    if (EndsWithNoCase(text, ".HEX") && exists(text))
        return file(InputKind::IoFirmware, "FILE");
    if (EndsWithNoCase(text, ".XDD") && exists(text))
        return file(InputKind::ModuleFirmware, "FILE");
    if (EndsWithNoCase(text, ".CDP") && exists(text))
        return {InputKind::Package, "", kExecuteText};
    if (HasDspExtension(text) && exists(text))
        return file(InputKind::DspFile, "FILE");
    if (HasModuleFirmwareExtension(text) && exists(text))
        return file(InputKind::ModuleFirmware, "FILE");
    if (EndsWithNoCase(text, ".PRE") && exists(text))
        return file(InputKind::ConfigurationFile, "PRE");
    return {InputKind::None, "", kExecuteText};
}

} // namespace

bool FileExistsOnDisk(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool HasDspExtension(const std::string& name)
{
    const std::string ext = Extension(name);
    return !ext.empty() && std::all_of(ext.begin() + 1, ext.end(), IsHexDigit);
}

bool HasModuleFirmwareExtension(const std::string& name)
{
    const std::string ext = Extension(name);
    return !ext.empty() && (ext[1] == 'x' || ext[1] == 'X') && IsHexDigit(ext[2]) && IsHexDigit(ext[3]);
}

int ModuleFirmwareCode(const std::string& name)
{
    if (!HasModuleFirmwareExtension(name))
        return -1;
    return std::stoi(name.substr(name.size() - 2), nullptr, 16);
}

int DspStartSector(const std::string& name)
{
    if (!HasDspExtension(name))
        return -1;
    return std::stoi(name.substr(name.size() - 3), nullptr, 16);
}

bool IsKnownFileType(const std::string& name)
{
    return EndsWithNoCase(name, "XSVF") || EndsWithNoCase(name, ".HEX") || HasDspExtension(name) ||
           HasModuleFirmwareExtension(name) || EndsWithNoCase(name, ".PRE") || EndsWithNoCase(name, ".CDP");
}

InputRecognition RecognizeInput(const std::string& text, const FileExists& exists)
{
    if (text.starts_with("CMD/"))
        return {InputKind::SendText, "", kExecuteText};
    if (text.starts_with("FAST/"))
        return {InputKind::FastFlash, "FILE", kExecuteText};
    for (const CommandEntry& command : kCommands) {
        if (command.anyCase ? Upper(text) == command.text : text == command.text)
            return {InputKind::Command, command.page, command.info ? command.info : kExecuteText};
    }
    return FileRecognition(text, exists);
}

} // namespace qv
