#pragma once

#include "scale/scale_library.h"
#include "scale/scale_record.h"
#include "scale/scale_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qvtools {

// A scale shipped as a default table of the configuration upgrade.
struct DefaultScale {
    std::string item; // the embedded data item it becomes
    qv::ScaleRecord record;
};

// "LeqM", "DMU1" and "DMU2", in that order.
std::vector<DefaultScale> DefaultScales();

// The library QV-Scale starts with (item "DefaultScales"): the three as
// scales 1 to 3, the others empty.
qv::ScaleLibrary DefaultScaleLibrary();

// The 256 bytes of the item, made the way the editor makes a table: the
// reference as it would show it, the digital box as the record holds it.
bool DefaultScaleBytes(DefaultScale& scale, std::array<uint8_t, qv::kScaleTableBytes>& bytes, std::string& error);

} // namespace qvtools
