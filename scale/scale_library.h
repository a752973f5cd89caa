#pragma once

#include "scale/scale_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

inline constexpr size_t kScaleCount = 20;
inline constexpr size_t kScaleLibrarySize = kScaleCount * kScaleRecordSize; // 49060

// The 20 scales of a library file, scale 1 first. A library of zero records
// is the empty library.
struct ScaleLibrary {
    std::array<ScaleRecord, kScaleCount> scales{};
};

std::vector<uint8_t> ScaleLibraryBytes(const ScaleLibrary& library);
// False, library unchanged, unless bytes holds exactly 49060 bytes.
bool ScaleLibraryFromBytes(std::span<const uint8_t> bytes, ScaleLibrary& library);

std::string InvalidScaleLibraryMessage(const std::string& path);

// On failure library is unchanged and error holds the message to show: the
// invalid-library message for a file of the wrong size, the system's reason
// when it cannot be read.
bool LoadScaleLibrary(const std::string& path, ScaleLibrary& library, std::string& error);
// Written atomically: a failed save leaves the old file as it was.
bool SaveScaleLibrary(const std::string& path, const ScaleLibrary& library, std::string& error);
// Any file of the scale tools, written as SaveScaleLibrary writes, with its messages.
bool WriteScaleFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

} // namespace qv
