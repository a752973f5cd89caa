#include "line_noise.h"

namespace qv::sim {

LineNoiseModel::Effect LineNoiseModel::apply(uint8_t byte)
{
    Effect effect{false, byte, 0};
    if (noise_.corrupt <= 0 && noise_.lose <= 0 && noise_.delay <= 0)
        return effect;
    const double draw = uniform();
    if (draw < noise_.corrupt) {
        // Any other value: one to eight bits flipped.
        effect.byte = uint8_t(byte ^ uint8_t(1 + random_() % 255));
        ++counts_.corrupted;
    } else if (draw < noise_.corrupt + noise_.lose) {
        effect.lost = true;
        ++counts_.lost;
    } else if (draw < noise_.corrupt + noise_.lose + noise_.delay) {
        const unsigned most = unsigned(noise_.maxDelayBytes > 0 ? noise_.maxDelayBytes : 1);
        effect.delayBytes = 1 + int(random_() % most);
        ++counts_.delayed;
    }
    return effect;
}

} // namespace qv::sim
