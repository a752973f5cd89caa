#include "illegal_crosspoints.h"

namespace qv {

namespace {
constexpr uint16_t kInputs49And50Routable = 0x0510;
}

bool IsIllegalCrosspoint(int input, int output, uint16_t imageVersion)
{
    // A PPM channel cannot feed itself: input 57+k is output 65+k.
    if (input >= 57 && input <= 88 && output == input + 8)
        return true;
    if ((input == 49 || input == 50) && imageVersion < kInputs49And50Routable)
        return true;
    if (output == 63 || output == 64)
        return true;
    if ((input == 55 || input == 56) && (output == 49 || output == 50))
        return true;
    if (output >= 55 && output <= 62)
        return !(input == 51 || input == 55 || input >= 57);
    return false;
}

} // namespace qv
