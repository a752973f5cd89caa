#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qv {

class ConfigImage;

// The gain dialog's value, its steps and where it is stored.

// The dialog's tag: the output gains or one of the three group gains.
enum class GainMode { Output = 0, Master = 1, Analogue = 2, Digital = 3 };

inline constexpr char kInvalidGainMessage[] =
    "The entered gain-value is not valid,\rthe gain-value must be between +21,0 and -21,0";
inline constexpr double kGainLimitDb = 21.0;
inline constexpr double kGainStepDb = 0.1;

// "Set Output Gain. (dB)", "Set Master Group Gain. (dB)", ...
std::string GainGroupCaption(GainMode mode);

// The field as a number of dB: a decimal comma (or point), an optional sign.
std::optional<double> ReadGainText(const std::string& text);
// A number written back in its shortest form, with ",0" when it has no
// decimals: 1 is "1,0", 0,5 stays "0,5".
std::string GainFieldText(double db);
// One step of 0,1 dB up (+1) or down (-1), clamped to +-21; nothing when the
// field does not read.
std::optional<std::string> StepGainText(const std::string& text, int direction);
// The field clamped to +-21 dB in tenths, to the nearest tenth; nothing
// when it does not read.
std::optional<int> GainTenths(const std::string& text);

// Offline: the output gain of every selected output that has one (33-48),
// or the group gain word of the mode when any output is selected. Returns
// the outputs whose value was stored (all of them for a group gain).
std::vector<int> StoreGain(ConfigImage& image, GainMode mode, const std::vector<int>& outputs, int tenths);

} // namespace qv
