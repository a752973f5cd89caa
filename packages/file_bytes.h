#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

// Reads a whole file. On failure error names the file and the reason.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

// Writes a temporary file in the same folder, then renames it over path, so a
// failed write leaves the old file as it was. On failure error names the file
// and the reason, and no temporary file is left behind.
bool SaveFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

} // namespace qv
