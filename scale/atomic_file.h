#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qv {

// Writes bytes to a temporary file in the target's folder, then renames it
// over the target, so a failed write never leaves a half-written file. On
// failure the old file is untouched and error holds the system's reason.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

} // namespace qv
