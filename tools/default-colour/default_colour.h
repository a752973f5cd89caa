#pragma once

#include <cstdint>
#include <vector>

namespace qvtools {

// The 256 bytes of the item "Colour": 128 words, each colour code in both bytes.
std::vector<uint8_t> DefaultColourBytes();

} // namespace qvtools
