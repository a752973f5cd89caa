#include "elapsed_text.h"

#include <cstdio>

namespace qv {

std::string ElapsedText(int64_t ms)
{
    const int64_t seconds = ms / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                  static_cast<long long>(seconds % 60));
    return text;
}

} // namespace qv
