#include "grid_clipboard.h"

#include "config/config_image.h"

#include <algorithm>
#include <string>

namespace qv {

namespace {

constexpr size_t kSlot = kLabelLength;

void PutLabel(std::vector<uint8_t>& block, int slot, const std::string& label)
{
    for (size_t k = 0; k < kSlot; ++k)
        block[size_t(slot) * kSlot + k] = k < label.size() ? uint8_t(label[k]) : uint8_t(' ');
}

std::string SlotText(std::span<const uint8_t> block, int slot)
{
    auto s = block.subspan(size_t(slot) * kSlot, kSlot);
    if (std::all_of(s.begin(), s.end(), [](uint8_t b) { return b == 0; }))
        return {};
    return std::string(s.begin(), s.end());
}

} // namespace

std::vector<uint8_t> CopyLabels(const ConfigImage& image, const LabelSelection& selection)
{
    std::vector<uint8_t> block(kLabelsBlockSize, 0);
    const int p = image.selectedPreset();
    for (int n = 1; n <= kInputCount; ++n)
        if (selection.isSelected(Channel{Channel::Input, n}))
            PutLabel(block, n - 1, image.inputLabel(p, n));
    for (int n = 1; n <= kOutputCount; ++n)
        if (selection.isSelected(Channel{Channel::Output, n}))
            PutLabel(block, kInputCount + n - 1, image.outputLabel(n));
    return block;
}

bool PasteLabels(ConfigImage& image, std::span<const uint8_t> block)
{
    if (block.size() != kLabelsBlockSize)
        return false;
    const int p = image.selectedPreset();
    for (int n = 1; n <= kInputCount; ++n)
        if (auto text = SlotText(block, n - 1); !text.empty())
            image.setInputLabel(p, n, text);
    for (int n = 1; n <= kOutputCount; ++n)
        if (auto text = SlotText(block, kInputCount + n - 1); !text.empty())
            image.setOutputLabel(n, text);
    return true;
}

std::vector<uint8_t> CopyCrosspoints(const ConfigImage& image, const LabelSelection& selection)
{
    std::vector<uint8_t> block(kCrosspointsBlockSize, kNoCrosspoint);
    const int p = image.selectedPreset();
    for (int n = 1; n <= kOutputCount; ++n)
        if (selection.isSelected(Channel{Channel::Output, n}))
            block[size_t(n - 1)] = image.routingByte(p, n - 1);
    return block;
}

bool PasteCrosspoints(ConfigImage& image, std::span<const uint8_t> block)
{
    if (block.size() != kCrosspointsBlockSize)
        return false;
    const int p = image.selectedPreset();
    for (int o = 0; o < kOutputCount; ++o) {
        const uint8_t b = block[size_t(o)];
        if (b != kNoCrosspoint && (b & 0x7F) < kInputCount)
            image.setRoutingByte(p, o, b);
    }
    return true;
}

} // namespace qv
