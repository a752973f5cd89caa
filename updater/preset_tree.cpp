#include "preset_tree.h"

#include "config/image_version.h"
#include "config/preset_list.h"
#include "link/identity_tables.h"
#include "link/value_text.h"

namespace qv {

namespace {

constexpr int kScaleKeys = 7;

} // namespace

std::string PresetTypeText(int code)
{
    const std::string name = TypeName(Program::Update, code);
    if (code >= 0 && code < TypeCount(Program::Update))
        return name;
    return name + " (" + std::to_string(code) + ")";
}

StatusTree PresetFileTree(const ConfigImage& image)
{
    const IdentityTrailer& trailer = image.trailer();
    StatusTree tree;
    tree.icons = false;
    TreeNode& root = tree.add("Configuration File.");
    root.expanded = true;

    TreeNode& origin = root.add("File Information. (File Origin.)");
    origin.add("Serial Number: " + std::to_string(trailer.serial));
    origin.add("RVT Type: " + PresetTypeText(trailer.type));
    origin.add("Software Version: " + ImageVersionText(trailer.imageVersion()));
    origin.add("Extended Bios Version: " + HexText(trailer.extendedBiosVersion, 4));
    origin.add("Hardware ID: " + HexText(trailer.hardwareId, 4));
    origin.add("Checksum: " + HexText(trailer.checksum, 8));

    TreeNode& presets = root.add("Presets.");
    for (int p = 0; p < kPresetCount; ++p)
        presets.add("Preset #" + std::to_string(p + 1) + ": " + image.presetName(p));

    TreeNode& scales = root.add("Scales.");
    scales.add("Scale Offset: " + OffsetStandardName(image) + " Offset.");
    for (int key = 0; key < kScaleKeys; ++key)
        scales.add("Scale #" + std::to_string(key + 1) + ": " + image.scaleName(key));
    return tree;
}

StatusTree UnknownConfigurationTree()
{
    StatusTree tree;
    tree.icons = false;
    tree.add("Unknown Configuration File.");
    return tree;
}

} // namespace qv
