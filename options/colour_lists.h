#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The colours the instrument's option fields store, and the lists the
// option dialogs show them in.

// A 3-bit colour code (bit 2 red, bit 1 green, bit 0 blue) as 0xRRGGBB.
uint32_t ColourCodeRgb(int code);

// The seven-entry list of the oscilloscope and Leq(m) colours: the list
// index is not the stored code.
struct CodeColour {
    const char* name;
    uint8_t code;
};
inline constexpr std::array<CodeColour, 7> kCodeColours{{
    {"Red", 4},
    {"Green", 2},
    {"Yellow", 6},
    {"Blue", 1},
    {"Fuchsia", 5},
    {"Aqua", 3},
    {"White", 7},
}};
// The list index of a stored code, or -1 when no entry stores it.
int CodeColourIndex(int code);
// The list index of a stored code, the fallback code's index when the code
// is not in the list.
int CodeColourIndexOr(int code, int fallbackCode);

// The theme colour list: the index is the code itself.
inline constexpr std::array<const char*, 8> kThemeColourNames{"Black", "Blue",    "Green",  "Aqua",
                                                              "Red",   "Fuchsia", "Yellow", "White"};

// The PPM colour list of an image version; the index is the stored colour
// index. Three lists exist: before 5.10, 5.10 to 5.44, and from 5.45.
std::vector<std::string> PpmColourNames(uint16_t imageVersion);
// Lines the list shows when dropped down.
int PpmColourListLines(uint16_t imageVersion);
// The display colour of a PPM list entry ("None" shows black) as 0xRRGGBB.
uint32_t PpmColourRgb(const std::string& name);

} // namespace qv
