#pragma once

#include "scale/scale_table.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// One line group of a table's stream: Kind − 1 and its amplitudes.
struct ScaleLineGroup {
    uint16_t style = 0;
    std::vector<uint16_t> amplitudes;
};

// The line stream of a table read back. Tables come from files and
// instrument memory too, so the reader stops at whatever would run past
// W127 or makes no sense (a label length outside 1..4) and says so.
struct ScaleStream {
    std::vector<ScaleLineGroup> groups;
    std::vector<std::string> labels;
    bool complete = true;
};

ScaleStream ReadScaleStream(const ScaleTable& table);

} // namespace qv
