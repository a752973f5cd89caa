#pragma once

#include "config_image.h"

#include <string>
#include <vector>

namespace qv {

// "Preset 1 - " + the 10-character name, for presets 1 to 11.
std::string PresetListEntry(const ConfigImage& image, int p);
std::vector<std::string> PresetListEntries(const ConfigImage& image);

// The scale offset standard of preset 1: "International", "German", "US" or
// "Unknown"; the status bar adds " Offset".
std::string OffsetStandardName(const ConfigImage& image);

} // namespace qv
