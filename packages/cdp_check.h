#pragma once

#include "cdp_reader.h"
#include "link/program.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace qv {

class Prompter;

inline constexpr std::string_view kCdpNotValidText = "This is not a valid file.";
inline constexpr std::string_view kCdpVersionNotSupportedText =
    "This file version is not supported.\r\rPlease make sure that you are using the latest version of QV-Update.";

// The CRC error, quoting the CRC stored in the file.
std::string CdpCrcErrorText(uint32_t storedCrc);

// QV-Matrix installs only "0001"; QV-Update "0001" to "0004".
bool IsCdpVersionAccepted(Program program, std::string_view version);

struct CdpCheck {
    bool valid = false;
    uint32_t storedCrc = 0;
    uint32_t computedCrc = 0; // 0 when the check stopped before the CRC
    std::string message;      // the error to show; empty when valid
    CdpPackage package;       // header and items; filled when valid
};

// The package check of both programs: magic, format version, CRC, then the
// table and every item against the file size. Shows nothing.
CdpCheck VerifyFileHeader(Program program, std::span<const uint8_t> file);

// The same, showing a failure as an error message.
CdpCheck VerifyFileHeader(Program program, std::span<const uint8_t> file, Prompter& prompter);

} // namespace qv
