#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace qv {

class ConfigImage;

// The PPM option word of a PPM channel and the phase options of a preset,
// as the PPM and phase dialogs read and change them.

enum class PpmField { BarColour, TraceColour, UnderloadColour, Width, Spacing };
// The order OK applies changed fields in.
inline constexpr std::array<PpmField, 5> kPpmFields{PpmField::BarColour, PpmField::TraceColour,
                                                   PpmField::UnderloadColour, PpmField::Width, PpmField::Spacing};

// Width choices of the "PPM Width.:" list.
enum PpmWidth { WidthNormal = 0, WidthWide = 1, WidthXWide = 2 };

// A field of an option word: colour indexes, the width choice, spacing 0/1.
// The trace colour reads bits 4-6 only.
int PpmFieldValue(uint16_t word, PpmField field);
// The word with the field set; the trace colour writes bits 4-7.
uint16_t WithPpmField(uint16_t word, PpmField field, int value);

// Image offset of PPM channel c's option word in the selected preset.
int PpmWordAddress(const ConfigImage& image, int channel);

// What a control shows on opening: the reference channel's value, or
// nothing when a selected PPM input holds another one.
std::optional<int> SharedPpmValue(const ConfigImage& image, int reference, const std::vector<int>& selectedInputs,
                                  PpmField field);

// The channels OK changes: the selected PPM inputs, else the selected PPM
// outputs (both as PPM channels 0..31).
std::vector<int> PpmTargets(const std::vector<int>& selectedInputs, const std::vector<int>& selectedOutputs);

// A changed field and the value its control shows; nothing for an empty
// list or a greyed box (spacing is then cleared, a colour or width kept).
struct PpmChange {
    PpmField field;
    std::optional<int> value;
};
void ApplyPpmOptions(ConfigImage& image, const std::vector<int>& targets, const std::vector<PpmChange>& changes);

// The phase dialog's fields of the selected preset.
struct PhaseOptions {
    int colourCode = 2;          // oscilloscope colour code
    bool slow = false;           // phasemeter integration time
    bool spoke = false;          // surround display style
    bool compressorOff = false;
};
PhaseOptions ReadPhaseOptions(const ConfigImage& image);
// Writes every field; the surround bits whatever the image version.
void ApplyPhaseOptions(ConfigImage& image, const PhaseOptions& options);

// Images from this version offer the surround display style.
inline constexpr uint16_t kSurroundFromVersion = 0x0510;

} // namespace qv
