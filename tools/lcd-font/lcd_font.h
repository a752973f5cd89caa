#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qvtools {

// The 2816 bytes of the item "Font": glyph c at byte 11 x c, one byte a pixel
// row. False, with the glyph named in error, when a drawing does not fit its cell.
bool LcdFontBytes(std::vector<uint8_t>& bytes, std::string& error);

} // namespace qvtools
