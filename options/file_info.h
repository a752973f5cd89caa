#pragma once

#include "config/identity_trailer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// The rows of the file information table: caption and value.
enum class FileInfoRow { Serial, Type, SoftwareVersion, ExtendedBiosVersion, HardwareId, Checksum };
std::vector<std::pair<std::string, std::string>> FileInfoRows(const IdentityTrailer& trailer);

// Rows that the version override lets the user change, and how they ask.
inline constexpr char kNewSerialText[] = "Enter a new serial number.";
inline constexpr char kNewVersionText[] = "Enter a new software version.";

// A typed serial number: a decimal integer from 0 to 65535.
std::optional<int32_t> ParseSerialEntry(const std::string& text);

// Takes a typed value into the trailer's field of that row. False, with the
// trailer unchanged, for a value the row does not take or a row that
// cannot be changed.
bool ChangeFileInfo(IdentityTrailer& trailer, FileInfoRow row, const std::string& text);

} // namespace qv
