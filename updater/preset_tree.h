#pragma once

#include "status_tree.h"
#include "config/config_image.h"

#include <string>

namespace qv {

// PresetTree for a checked preset file: its origin from the trailer, the
// eleven preset names and the scale offset with the seven scale names.
// The root is open, its three groups closed.
StatusTree PresetFileTree(const ConfigImage& image);

// PresetTree for a raw image, which carries no origin.
StatusTree UnknownConfigurationTree();

// The trailer's type code by QV-Update's type table; a code the table does
// not hold is shown with its number.
std::string PresetTypeText(int code);

} // namespace qv
