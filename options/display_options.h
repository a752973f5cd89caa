#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace qv {

class ConfigImage;

// The LCD, theme and Leq(m) fields, as their dialogs read and change them.

// LCD options: the backlight (0..7) and a theme tick per preset.
inline constexpr int kBacklightMaximum = 7;
// Images below this version have no LCD options.
inline constexpr uint16_t kLcdOptionsFromVersion = 0x0410;
int StoredBacklight(const ConfigImage& image);
bool ThemeEnabled(const ConfigImage& image, int preset);
void SetThemeEnabled(ConfigImage& image, int preset, bool enabled);

// The four theme colours, in the order of "Theme Colors.".
enum ThemeColour { ScreenBackground = 0, Windows = 1, GoniometerLines = 2, NegativePhase = 3 };
inline constexpr std::array<const char*, 4> kThemeColourEntries{"Screen Background.", "Windows.",
                                                                "Goniometer Lines.", "Negative Phase Color."};
// Their bytes in the LCD colour table.
inline constexpr std::array<int, 4> kThemeColourBytes{0x0482, 0x0480, 0x041B, 0x0419};
using ThemeCodes = std::array<uint8_t, 4>;
ThemeCodes StoredThemeCodes(const ConfigImage& image);
void StoreThemeCodes(ConfigImage& image, const ThemeCodes& codes);

// The two 128-byte blocks of instrument memory the theme patches live, and
// the bytes it puts into each (offset within the block, value).
struct BlockPatch {
    uint32_t address;
    std::vector<std::pair<int, uint8_t>> bytes;
};
std::array<BlockPatch, 2> ThemePatches(const ThemeCodes& codes);

// Leq(m) options of the selected preset.
struct LeqOptions {
    int graphCode = 2;
    int sumCode = 6;
    int tripLevel = 85;
};
inline constexpr int kLeqTripMinimum = 78;
inline constexpr int kLeqTripMaximum = 93;
inline constexpr int kLeqTripDefault = 85;
inline constexpr int kLeqGraphDefaultCode = 2; // green
inline constexpr int kLeqSumDefaultCode = 6;   // yellow
LeqOptions ReadLeqOptions(const ConfigImage& image);
void StoreLeqOptions(ConfigImage& image, const LeqOptions& options);

} // namespace qv
