#pragma once

#include "config/config_image.h"

#include <string>

namespace qv::test {

// An image of the given version with preset `preset` selected, every output
// routed from input 1 and each label named after its channel ("I12 ",
// "O7  "), so that a test sees where a label or routing byte came from.
inline ConfigImage GridTestImage(uint16_t version = 0x0500, int preset = 0)
{
    ConfigImage image;
    image.setImageVersion(version);
    image.selectPreset(preset);
    for (int n = 1; n <= kInputCount; ++n)
        image.setInputLabel(preset, n, "I" + std::to_string(n));
    for (int n = 1; n <= 64; ++n) // 65-96 share the labels of inputs 57-88
        image.setOutputLabel(n, "O" + std::to_string(n));
    for (int o = 0; o < kOutputCount; ++o)
        image.setSource(preset, o, 0);
    image.setModified(false);
    return image;
}

} // namespace qv::test
