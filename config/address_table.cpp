#include "address_table.h"

#include "image_layout.h"

#include <cstdio>

namespace qv {

namespace {

// The backlight moved to the start-up area with software 5.30.
constexpr uint16_t kBacklightMovedVersion = 0x0530;

} // namespace

AddressTable MakeAddressTable(int p, uint16_t imageVersion)
{
    if (p < 0 || p >= kPresetCount)
        p = 0;
    const int o = OptionsBlock(p);
    const int e = ExtensionBlock(p);
    AddressTable t;
    t.PresetOffset = LabelBlock(p);
    t.RoutingTable = RoutingBlock(p);
    t.PPMOptionBaseAdr = o + 0x2C;
    t.ScopOptionBaseAdr = o + 0x20;
    t.MainOptionAdr = o;
    t.ScaleNoAdr = o + 0x11;
    t.OscMode = o + 0x1E;
    t.OutputSignalNo = o + 0x18;
    t.BurstOnAdr = o + 0x16;
    t.BurstOffAdr = o + 0x22;
    t.ScaleOptionAdr = o + 0x0E;
    t.SumGainExtBaseAdr = e + 0x7C;
    t.LeqGraphColor = e + 0x0E;
    t.LeqTrip = e + 0x10;
    t.GroupBaseAdr = e + 0x3C;
    t.OutputGainBaseAdr = e + 0x5C;
    t.GroupGainMasterAdr = e + 0x14;
    t.GroupGainAnalogueAdr = e + 0x16;
    t.GroupGainDigitalAdr = e + 0x18;
    t.BacklightAdr = imageVersion < kBacklightMovedVersion ? kBacklightAdrOld : kBacklightAdrNew;
    return t;
}

std::vector<std::string> AddressTableListing(const AddressTable& t)
{
    const struct {
        const char* label;
        int value;
    } entries[] = {
        {"PresetOffset", t.PresetOffset},     {"RoutingTable", t.RoutingTable},
        {"PPMOptionBaseAdr", t.PPMOptionBaseAdr}, {"ScopOptionBaseAdr", t.ScopOptionBaseAdr},
        {"MainOptionAdr", t.MainOptionAdr},   {"ScaleNoAdr", t.ScaleNoAdr},
        {"OscMode", t.OscMode},               {"OutputSignalNo", t.OutputSignalNo},
        {"SumGainExtBaseAdr", t.SumGainExtBaseAdr}, {"LeqGraphColor", t.LeqGraphColor},
        {"LeqTrip", t.LeqTrip},
    };
    std::vector<std::string> lines;
    for (const auto& entry : entries) {
        char line[48];
        std::snprintf(line, sizeof line, "%17s: $%06X", entry.label, unsigned(entry.value));
        lines.emplace_back(line);
    }
    return lines;
}

} // namespace qv
