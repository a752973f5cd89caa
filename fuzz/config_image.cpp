// Whatever a file or the instrument holds, the image's readers stay inside
// it: labels, names, routing, address tables, scale slots, option fields,
// the grid, the clipboard copies and the upgrades. The input patches the
// factory image: the image's and the instrument's version words, the
// selected preset, then runs of (offset, length, bytes).
#include "config/address_table.h"
#include "config/config_image.h"
#include "config/preset_list.h"
#include "config/upgrade_offer.h"
#include "fuzz/factory_image.h"
#include "fuzz/fuzz_input.h"
#include "matrix/channel_options.h"
#include "matrix/grid_clipboard.h"
#include "matrix/grid_model.h"
#include "options/display_options.h"
#include "options/file_info.h"
#include "options/lock_code.h"
#include "options/ppm_options.h"
#include "options/preset_options.h"
#include "scale/preview_geometry.h"
#include "scale/scale_stream.h"

#include <algorithm>

using namespace qv;
using qv::fuzz::Expect;

namespace {

void ReadScaleSlots(const ConfigImage& image)
{
    for (int key = -1; key <= 10; ++key) {
        image.scaleName(key);
        const int at = ScaleSlotOffset(key);
        if (at < 0)
            continue;
        ScaleTable table{};
        for (size_t w = 0; w < table.size(); ++w)
            table[w] = image.word(at + int(2 * w));
        const ScaleStream stream = ReadScaleStream(table);
        for (const ScaleLineGroup& group : stream.groups)
            for (uint16_t a : group.amplitudes)
                PreviewY(table, a);
        for (const std::string& label : stream.labels)
            Expect(!label.empty() && label.size() <= kMaxLabelLength, "scale labels of 1 to 4 characters");
    }
}

void ReadPreset(ConfigImage& image, int p)
{
    image.presetName(p);
    for (int n = -1; n <= 98; ++n) {
        image.inputLabel(p, n);
        image.outputLabel(n);
    }
    for (int o = -1; o <= 97; ++o) {
        const int s = image.source(p, o);
        Expect(s >= -1 && s < 128, "a source is a 7-bit input index");
        image.routingByte(p, o);
    }
    AddressTableListing(image.addressTable(p));
}

// What the windows read for the selected preset.
void ReadSelected(ConfigImage& image)
{
    PresetListEntries(image);
    OffsetStandardName(image);
    StoredBacklight(image);
    for (int p = -1; p <= 11; ++p)
        ThemeEnabled(image, p);
    StoredThemeCodes(image);
    ReadLeqOptions(image);
    ReadPhaseOptions(image);
    const int preset = StoredStartupPreset(image);
    const int application = StoredStartupApplication(image);
    Expect(preset >= 0 && preset < kPresetCount, "the start-up preset is one of the list");
    Expect(application >= 0 && application < int(kStartupApplications.size()), "the start-up application too");
    for (int slot = 0; slot <= kScaleChoices + 1; ++slot)
        ScaleEntry(image, slot);
    StoredScaleNumber(image);
    StoredScaleFlags(image);
    StoredLockCode(image);
    std::vector<int> inputs;
    for (int c = 0; c < kPpmChannelCount; ++c)
        inputs.push_back(c);
    for (PpmField field : kPpmFields)
        SharedPpmValue(image, 0, inputs, field);
    CurrentSum(image);
    for (int output = 30; output <= 50; ++output) {
        GroupOf(image, output);
        StoredGain(image, output);
    }
    for (GroupCode group : {GroupMaster, GroupAnalogue, GroupDigital})
        GroupGain(image, group);

    GridModel grid;
    grid.rebuildLabels(image);
    grid.rebuildGrid(image);
    for (int o = 0; o < GridModel::kColumns; ++o)
        grid.hint(o);

    LabelSelection all;
    for (int n = 1; n <= LabelSelection::kSlots; ++n) {
        all.set({Channel::Input, n}, true);
        all.set({Channel::Output, n}, true);
    }
    Expect(CopyLabels(image, all).size() == kLabelsBlockSize, "a labels block of its size");
    Expect(CopyCrosspoints(image, all).size() == kCrosspointsBlockSize, "a crosspoints block of its size");
}

void ReadAll(ConfigImage& image, int selected)
{
    ReadScaleSlots(image);
    FileInfoRows(image.trailer());
    for (int p = -1; p <= kPresetCount; ++p)
        ReadPreset(image, p);
    image.selectPreset(selected);
    ReadSelected(image);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ConfigImage::Bytes factory = qv::fuzz::FactoryImageBytes();
    qv::fuzz::FuzzInput input(data, size);
    ConfigImage::Bytes bytes = factory;
    IdentityTrailer trailer;
    trailer.version = input.word();
    const uint32_t instrument = input.word();
    const int selected = input.byte() % kPresetCount;
    while (!input.empty()) {
        size_t at = input.word() % bytes.size();
        for (size_t n = input.byte(); n > 0 && !input.empty() && at < bytes.size(); --n)
            bytes[at++] = input.byte();
    }

    ConfigImage image;
    image.replace(bytes, trailer);
    ReadAll(image, selected);

    UpgradeRecommended(instrument, image.imageVersion());
    UpgradeForInstrument(image, instrument);
    if (image.imageVersion() != trailer.imageVersion())
        ReadAll(image, selected);
    return 0;
}
