#include "cdp_fixture.h"
#include "packages/cdp_reader.h"
#include "packages/cdp_selection.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(IsItemSelected, MaskBitPerTypeAndZeroForAll)
{
    struct Case {
        uint32_t mask;
        int type;
        bool selected;
    };
    const Case cases[] = {
        {0x00000008, 4, true},  {0x00000008, 3, false}, {0x00000008, 5, false}, {0x00000008, 0, false},
        {0x00000000, 0, true},  {0x00000000, 4, true},  {0x00000000, 24, true}, {0xFFFFFFFF, 0, false},
        {0x00000001, 1, true},  {0x80000000, 32, true}, {0x00800000, 24, true}, {0x00800000, 23, false},
        {0xFFFFFFFF, 33, false}, {0xFFFFFFFF, -1, false}, {0xFFFFFFFF, 1000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.mask) + " type " + std::to_string(c.type));
        EXPECT_EQ(IsItemSelected(c.mask, c.type), c.selected);
    }
}

TEST(SelectItems, KeepsTableOrderAndDecidesWhetherAPackageIsMeant)
{
    CdpDraft draft;
    draft.items = {
        test::Item(0x00000008, kCdpInformation, 0, "type 4"),
        test::Item(0x00000004, kCdpInformation, 0, "type 3"),
        test::Item(0x0000000C, kCdpInformation, 0, "types 3 and 4"),
    };
    auto package = ReadCdp(test::Build(draft));
    ASSERT_TRUE(package);
    EXPECT_EQ(SelectItems(*package, 4), (std::vector<size_t>{0, 2}));
    EXPECT_EQ(SelectItems(*package, 3), (std::vector<size_t>{1, 2}));
    EXPECT_TRUE(SelectItems(*package, 0).empty());

    EXPECT_TRUE(MeantForInstrument(*package, 4));
    EXPECT_FALSE(MeantForInstrument(*package, 5));
    EXPECT_TRUE(MeantForInstrument(*package, 0)); // an unknown type may take any package
    auto empty = ReadCdp(test::Build(CdpDraft{}));
    EXPECT_FALSE(MeantForInstrument(*empty, 5));
    EXPECT_TRUE(MeantForInstrument(*empty, 0));
}

} // namespace
} // namespace qv
