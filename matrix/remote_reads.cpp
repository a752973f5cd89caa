#include "remote_reads.h"

#include "config/config_image.h"
#include "link/wire_protocol.h"

#include <vector>

namespace qv {

namespace {

constexpr int kTextBlocks = 7; // labels and routing, 0x0E00 to 0x117F

// Reads blocks from an image offset and copies them in; false when cancelled.
bool ReadInto(MatrixTransfer& transfer, ConfigImage& image, int offset, int blocks)
{
    std::vector<uint8_t> bytes(size_t(blocks) * wire::kBlockSize);
    transfer.ReadMemory(wire::kCmdReadBlock, kImageBaseAddress + uint32_t(offset), bytes.data(), blocks);
    if (transfer.cancel)
        return false;
    for (size_t k = 0; k < bytes.size(); ++k)
        image.setByte(offset + int(k), bytes[k]);
    return true;
}

// One block per preset, the bar counting presets.
bool ReadPerPreset(MatrixTransfer& transfer, ConfigImage& image, int (*blockOf)(int))
{
    Progress& bar = transfer.view().bar();
    bar.setMaximum(kPresetCount);
    for (int p = 0; p < kPresetCount; ++p) {
        if (!ReadInto(transfer, image, blockOf(p), 1))
            return false;
        bar.setPosition(p + 1);
    }
    return true;
}

} // namespace

bool ReadRemoteConfiguration(MatrixTransfer& transfer, ConfigImage& image, MainView& view,
                             const std::string& typeName)
{
    TransferView& window = transfer.view();
    auto step = [&](const char* text) { window.setTextLine("Connecting to " + typeName + text); };
    transfer.mode = TransferMode::Idle;
    transfer.ConnectInstrument(false);

    step(" Reading Text Block.");
    window.bar().setMaximum(int64_t(kTextBlocks) * int64_t(wire::kBlockSize));
    if (!ReadInto(transfer, image, OutputLabelBaseAdr, kTextBlocks))
        return false;
    view.rebuildLabels();

    step(" Reading Input Names.");
    if (!ReadPerPreset(transfer, image, LabelBlock))
        return false;
    view.rebuildLabels();

    step(" Reading Preset Names.");
    window.bar().setMaximum(int64_t(wire::kBlockSize));
    if (!ReadInto(transfer, image, PresetNameBaseAdr, 1))
        return false;
    view.rebuildPresetList();
    view.rebuildLabels();

    step(" Reading PPM Data.");
    if (!ReadPerPreset(transfer, image, OptionsBlock))
        return false;
    view.rebuildLabels();

    image.selectPreset(0);
    view.selectPreset(1);
    return true;
}

} // namespace qv
