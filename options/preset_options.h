#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

class ConfigImage;

// The start-up fields of the preset options and the scale options of the
// selected preset.

inline constexpr std::array<const char*, 14> kStartupApplications{
    "Start Menu",       "Full Feature Mode", "Easy Short Hand", "DMU1630 Emulation", "Session Logging",
    "Graphic Loudness", "DCF77 Radio Clock", "1/3 Analyser",    "FFT Analyser",      "Preset List",
    "Matrix Compact",   "Matrix Extended",   "ToneGenerator",   "ITU Loudness / Metering"};
// Images from this version keep the start-up preset and application.
inline constexpr uint16_t kStartupFromVersion = 0x0500;

// Stored values as the lists show them: out of range shows the first entry.
int StoredStartupPreset(const ConfigImage& image);
int StoredStartupApplication(const ConfigImage& image);
void StoreStartup(ConfigImage& image, int preset, int application);

// Scale options.
inline constexpr int kScaleChoices = 7;
// "Scale #1 - name" for scale slots 1 to 7; characters the instrument
// cannot show read as blanks.
std::string ScaleEntry(const ConfigImage& image, int slot);
// The scale number nibble: low before 5.00, high from 5.00.
int StoredScaleNumber(const ConfigImage& image);
void StoreScaleNumber(ConfigImage& image, int number);
struct ScaleFlags {
    bool peakHold = false;
    bool dual = false;
};
ScaleFlags StoredScaleFlags(const ConfigImage& image);
void StoreScaleFlags(ConfigImage& image, const ScaleFlags& flags);

} // namespace qv
