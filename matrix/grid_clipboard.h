#pragma once

#include "label_selection.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qv {

class ConfigImage;

// The two private clipboard blocks of the grid.
//
// Labels ("CF_QVMatrix"): 88 input slots then 96 output slots of 4 bytes,
// the label characters in reading order for a selected channel, four zero
// bytes otherwise. Crosspoints ("CF_QVMatrix_XPoints"): one routing byte per
// output, 0xFF for an output that was not selected.
inline constexpr char kLabelsFormat[] = "CF_QVMatrix";
inline constexpr char kCrosspointsFormat[] = "CF_QVMatrix_XPoints";
inline constexpr size_t kLabelsBlockSize = 736;
inline constexpr size_t kCrosspointsBlockSize = 96;
inline constexpr uint8_t kNoCrosspoint = 0xFF;

// Input labels 33-56 come from the image's selected preset.
std::vector<uint8_t> CopyLabels(const ConfigImage& image, const LabelSelection& selection);
std::vector<uint8_t> CopyCrosspoints(const ConfigImage& image, const LabelSelection& selection);

// A block of the wrong size is refused (false) and changes nothing; it may
// come from another program. Returns true for a block of the right size.
bool PasteLabels(ConfigImage& image, std::span<const uint8_t> block);
// Bytes that name no input (bits 0-6 beyond input 88) are skipped.
bool PasteCrosspoints(ConfigImage& image, std::span<const uint8_t> block);

} // namespace qv
