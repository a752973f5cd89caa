#include "scale/marker_rule.h"

#include "scale/scale_codes.h"

namespace qv {

std::vector<size_t> ApplyMarkerRule(std::span<int> kinds)
{
    std::vector<size_t> reset;
    int underload = 0;
    int overload = 0;
    for (size_t i = 0; i < kinds.size(); ++i) {
        int* count = kinds[i] == KindUnderLoad ? &underload : kinds[i] == KindOverload ? &overload : nullptr;
        if (!count)
            continue;
        if (++*count > 1) {
            --*count;
            kinds[i] = KindNone;
            reset.push_back(i);
        }
    }
    return reset;
}

} // namespace qv
