#pragma once

#include "config/config_image.h"
#include "sim/default_memory.h"

#include <algorithm>

namespace qv::fuzz {

// The image a new instrument holds: the start the image targets patch.
inline ConfigImage::Bytes FactoryImageBytes()
{
    const std::vector<uint8_t> memory = sim::defaultMemory({});
    ConfigImage::Bytes bytes{};
    std::copy_n(memory.begin() + sim::kConfigImage, bytes.size(), bytes.begin());
    return bytes;
}

} // namespace qv::fuzz
