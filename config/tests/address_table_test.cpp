#include "config/address_table.h"
#include "config/config_image.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(AddressTable, PresetOneAndTheOthers)
{
    const AddressTable first = MakeAddressTable(0, 0x0500);
    EXPECT_EQ(first.PresetOffset, 0x1080);
    EXPECT_EQ(first.RoutingTable, 0x1100);
    EXPECT_EQ(first.PPMOptionBaseAdr, 0x012C);
    EXPECT_EQ(first.ScopOptionBaseAdr, 0x0120);
    EXPECT_EQ(first.MainOptionAdr, 0x0100);
    EXPECT_EQ(first.ScaleNoAdr, 0x0111);
    EXPECT_EQ(first.OscMode, 0x011E);
    EXPECT_EQ(first.OutputSignalNo, 0x0118);
    EXPECT_EQ(first.BurstOnAdr, 0x0116);
    EXPECT_EQ(first.BurstOffAdr, 0x0122);
    EXPECT_EQ(first.ScaleOptionAdr, 0x010E);
    EXPECT_EQ(first.SumGainExtBaseAdr, 0x147C);
    EXPECT_EQ(first.LeqGraphColor, 0x140E);
    EXPECT_EQ(first.LeqTrip, 0x1410);
    EXPECT_EQ(first.GroupBaseAdr, 0x143C);
    EXPECT_EQ(first.OutputGainBaseAdr, 0x145C);
    EXPECT_EQ(first.GroupGainMasterAdr, 0x1414);
    EXPECT_EQ(first.GroupGainAnalogueAdr, 0x1416);
    EXPECT_EQ(first.GroupGainDigitalAdr, 0x1418);

    struct Case {
        int p;
        int options;
        int labels;
        int extension;
    };
    const Case cases[] = {{1, 0x2500, 0x2580, 0x1480}, {2, 0x2680, 0x2700, 0x1500}, {10, 0x3280, 0x3300, 0x1900}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.p);
        const AddressTable t = MakeAddressTable(c.p, 0x0500);
        EXPECT_EQ(t.PresetOffset, c.labels);
        EXPECT_EQ(t.RoutingTable, c.labels + 0x80);
        EXPECT_EQ(t.MainOptionAdr, c.options);
        EXPECT_EQ(t.PPMOptionBaseAdr, c.options + 0x2C);
        EXPECT_EQ(t.ScaleNoAdr, c.options + 0x11);
        EXPECT_EQ(t.SumGainExtBaseAdr, c.extension + 0x7C);
        EXPECT_EQ(t.OutputGainBaseAdr, c.extension + 0x5C);
        EXPECT_EQ(t.GroupGainDigitalAdr, c.extension + 0x18);
    }
    EXPECT_EQ(MakeAddressTable(10, 0).RoutingTable + 0x7F, 0x33FF) << "preset 11 ends the block area";
}

TEST(AddressTable, BacklightFollowsTheImageVersion)
{
    struct Case {
        uint16_t version;
        int backlight;
    };
    const Case cases[] = {{0x0000, 0x010C}, {0x0529, 0x010C}, {0x0530, 0x3FAE}, {0x0545, 0x3FAE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(MakeAddressTable(3, c.version).BacklightAdr, c.backlight);
    }

    // The image's table follows a version changed by a load or an override.
    ConfigImage image;
    image.setImageVersion(0x0529);
    image.setLowByte(image.addressTable().BacklightAdr, 6);
    EXPECT_EQ(image.byte(0x010D), 6);
    image.setImageVersion(0x0530);
    EXPECT_EQ(image.addressTable().BacklightAdr, 0x3FAE);
}

TEST(AddressTable, DebugListing)
{
    const std::vector<std::string> expected = {
        "     PresetOffset: $002700", "     RoutingTable: $002780", " PPMOptionBaseAdr: $0026AC",
        "ScopOptionBaseAdr: $0026A0", "    MainOptionAdr: $002680", "       ScaleNoAdr: $002691",
        "          OscMode: $00269E", "   OutputSignalNo: $002698", "SumGainExtBaseAdr: $00157C",
        "    LeqGraphColor: $00150E", "          LeqTrip: $001510",
    };
    EXPECT_EQ(AddressTableListing(MakeAddressTable(2, 0)), expected);
}

} // namespace
} // namespace qv
