#include "display_options.h"

#include "config/config_image.h"

namespace qv {

namespace {
constexpr int kThemeBit = 6; // of the main option word's high byte
constexpr uint32_t kThemeBlock1 = kImageBaseAddress + 0x0400;
constexpr uint32_t kThemeBlock2 = kImageBaseAddress + 0x0480;
} // namespace

int StoredBacklight(const ConfigImage& image)
{
    return image.lowByte(image.addressTable().BacklightAdr) & kBacklightMaximum;
}

bool ThemeEnabled(const ConfigImage& image, int preset)
{
    return image.bit(OptionsBlock(preset), kThemeBit);
}

void SetThemeEnabled(ConfigImage& image, int preset, bool enabled)
{
    image.setBit(OptionsBlock(preset), kThemeBit, enabled);
}

ThemeCodes StoredThemeCodes(const ConfigImage& image)
{
    ThemeCodes codes{};
    for (size_t k = 0; k < codes.size(); ++k)
        codes[k] = image.byte(kThemeColourBytes[k]);
    return codes;
}

void StoreThemeCodes(ConfigImage& image, const ThemeCodes& codes)
{
    for (size_t k = 0; k < codes.size(); ++k)
        image.setByte(kThemeColourBytes[k], codes[k]);
}

std::array<BlockPatch, 2> ThemePatches(const ThemeCodes& codes)
{
    return {BlockPatch{kThemeBlock1, {{27, codes[GoniometerLines]}, {25, codes[NegativePhase]}}},
            BlockPatch{kThemeBlock2, {{0, codes[Windows]}, {2, codes[ScreenBackground]}}}};
}

LeqOptions ReadLeqOptions(const ConfigImage& image)
{
    const AddressTable t = image.addressTable();
    const uint16_t colours = image.word(t.LeqGraphColor);
    LeqOptions o;
    o.graphCode = colours & 0xFF;
    o.sumCode = colours >> 8;
    const int trip = image.lowByte(t.LeqTrip);
    o.tripLevel = trip >= kLeqTripMinimum && trip <= kLeqTripMaximum ? trip : kLeqTripDefault;
    return o;
}

void StoreLeqOptions(ConfigImage& image, const LeqOptions& o)
{
    const AddressTable t = image.addressTable();
    image.setWord(t.LeqGraphColor, uint16_t((o.sumCode & 0xFF) << 8 | (o.graphCode & 0xFF)));
    image.setWord(t.LeqTrip, uint16_t(o.tripLevel & 0xFF));
}

} // namespace qv
