#pragma once

#include <cstdint>

namespace qv {

// The fixed pattern of crosspoints the instrument cannot route. Inputs 1-88
// and outputs 1-96 by number; the image version matters because inputs 49
// and 50 became routable with software 5.10.
bool IsIllegalCrosspoint(int input, int output, uint16_t imageVersion);

} // namespace qv
