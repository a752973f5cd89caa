#include "colour_lists.h"

namespace qv {

namespace {
constexpr uint16_t kSecondPpmList = 0x0510;
constexpr uint16_t kThirdPpmList = 0x0545;
} // namespace

uint32_t ColourCodeRgb(int code)
{
    return (code & 4 ? 0xFF0000u : 0u) | (code & 2 ? 0x00FF00u : 0u) | (code & 1 ? 0x0000FFu : 0u);
}

int CodeColourIndex(int code)
{
    for (size_t k = 0; k < kCodeColours.size(); ++k)
        if (kCodeColours[k].code == code)
            return int(k);
    return -1;
}

int CodeColourIndexOr(int code, int fallbackCode)
{
    const int k = CodeColourIndex(code);
    return k >= 0 ? k : CodeColourIndex(fallbackCode);
}

std::vector<std::string> PpmColourNames(uint16_t imageVersion)
{
    if (imageVersion < kSecondPpmList)
        return {"Black", "Green", "Yellow", "Blue", "Fuchsia", "Aqua", "White"};
    if (imageVersion < kThirdPpmList)
        return {"None", "Green", "Yellow", "Blue", "Fuchsia", "Aqua", "Red"};
    return {"Black", "Green", "Yellow", "Blue", "Fuchsia", "Aqua", "White", "Red"};
}

int PpmColourListLines(uint16_t imageVersion)
{
    return imageVersion < kThirdPpmList ? 8 : 9;
}

uint32_t PpmColourRgb(const std::string& name)
{
    // By the colour code of the same name; "Black" and "None" have none.
    for (const CodeColour& c : kCodeColours)
        if (name == c.name)
            return ColourCodeRgb(c.code);
    return 0x000000;
}

} // namespace qv
