// The grid's clipboard blocks may come from another program: any bytes
// pasted as labels or crosspoints stay within the image, and a block copied
// from the image pastes back without changing it.
#include "config/config_image.h"
#include "fuzz/factory_image.h"
#include "fuzz/fuzz_input.h"
#include "matrix/grid_clipboard.h"

#include <algorithm>

using namespace qv;
using qv::fuzz::Expect;

namespace {

ConfigImage FactoryImage()
{
    ConfigImage image;
    image.replace(qv::fuzz::FactoryImageBytes(), {});
    return image;
}

std::vector<uint8_t> Fitted(std::span<const uint8_t> bytes, size_t size)
{
    std::vector<uint8_t> block(bytes.begin(), bytes.begin() + long(std::min(bytes.size(), size)));
    block.resize(size, kNoCrosspoint);
    return block;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ConfigImage factory = FactoryImage();
    qv::fuzz::FuzzInput input(data, size);
    ConfigImage image = factory;
    image.selectPreset(input.byte() % kPresetCount);
    const uint8_t mode = input.byte();
    const auto block = input.rest();

    const bool labels = PasteLabels(image, mode & 1 ? Fitted(block, kLabelsBlockSize) : std::vector(block.begin(), block.end()));
    const bool crosspoints =
        PasteCrosspoints(image, mode & 2 ? Fitted(block, kCrosspointsBlockSize) : std::vector(block.begin(), block.end()));
    Expect(labels == ((mode & 1) || block.size() == kLabelsBlockSize), "labels blocks of their size only");
    Expect(crosspoints == ((mode & 2) || block.size() == kCrosspointsBlockSize), "crosspoints blocks of their size only");

    LabelSelection all;
    for (int n = 1; n <= LabelSelection::kSlots; ++n) {
        all.set({Channel::Input, n}, true);
        all.set({Channel::Output, n}, true);
    }
    const ConfigImage pasted = image;
    PasteLabels(image, CopyLabels(image, all));
    PasteCrosspoints(image, CopyCrosspoints(image, all));
    Expect(image.bytes() == pasted.bytes(), "copied blocks paste back unchanged");
    return 0;
}
