#include "preset_list.h"

namespace qv {

std::string PresetListEntry(const ConfigImage& image, int p)
{
    return "Preset " + std::to_string(p + 1) + " - " + image.presetName(p);
}

std::vector<std::string> PresetListEntries(const ConfigImage& image)
{
    std::vector<std::string> entries;
    for (int p = 0; p < kPresetCount; ++p)
        entries.push_back(PresetListEntry(image, p));
    return entries;
}

std::string OffsetStandardName(const ConfigImage& image)
{
    switch (image.word(OffsetStandardAdr)) {
    case 0x0000:
        return "International";
    case 0x1E1E:
        return "German";
    case 0xC4C4:
        return "US";
    default:
        return "Unknown";
    }
}

} // namespace qv
