#include "progress.h"

#include <cmath>

namespace qv {

std::string percentText(int64_t position, int64_t maximum)
{
    if (maximum <= 0 || position <= 0)
        return "0 %";
    if (position >= maximum)
        return "100 %";
    auto p = std::llround(100.0 * double(position) / double(maximum));
    // Rounding must not claim completion before the last step.
    if (p >= 100)
        p = 99;
    return std::to_string(p) + " %";
}

} // namespace qv
