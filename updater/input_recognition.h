#pragma once

#include "platform/host/text_case.h"

#include <functional>
#include <string>

namespace qv {

// What the wizard's input box names.
enum class InputKind {
    None,              // neither a command nor an existing file of a known type
    Command,           // one of the typed commands, "HELP" among them
    SendText,          // "CMD/" + text for the instrument
    FastFlash,         // "FAST/" + a file
    MainboardFpga,     // a name ending "XSVF"
    IoFirmware,        // ".HEX"
    ModuleFirmware,    // ".x" + two hexadecimal digits
    DspFile,           // an extension of three hexadecimal digits: the start sector
    ConfigurationFile, // ".PRE"
    Package,           // ".CDP"
};

struct InputRecognition {
    InputKind kind = InputKind::None;
    // The page to show; "" leaves the choice to the wizard (None, SendText, Package).
    std::string page;
    // pnlInfo.
    std::string info;
};

using FileExists = std::function<bool(const std::string& path)>;
// A regular file at that path.
bool FileExistsOnDisk(const std::string& path);

// Recognises the input box's text: commands exactly as typed (HELP and
// MCU/FPGA in any case), files by their last four characters in any case
// and only when they exist.
InputRecognition RecognizeInput(const std::string& text, const FileExists& exists = FileExistsOnDisk);

// File types by name alone, any case.
bool HasDspExtension(const std::string& name);
bool HasModuleFirmwareExtension(const std::string& name);
// The module code a module firmware file's extension names (".xB0" is
// 0xB0); -1 for another name.
int ModuleFirmwareCode(const std::string& name);
// The start sector a DSP file's extension names (".380" is 0x380); -1 for another name.
int DspStartSector(const std::string& name);
// One of the types the browse button offers: XSVF, HEX, DSP, module firmware, PRE, CDP.
bool IsKnownFileType(const std::string& name);

} // namespace qv
