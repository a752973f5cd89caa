#include "matrix/channel_options.h"
#include "matrix/tests/grid_test_image.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ChannelOptions, SumMovesWithThe500Layout)
{
    ConfigImage old = test::GridTestImage(0x0420, 3);
    ASSERT_TRUE(SetSum(old, SumSetting::Plus0dB));
    EXPECT_EQ(old.byte(0x012B), 1) << "before 5.00 the byte of preset 1";
    EXPECT_EQ(CurrentSum(old), SumSetting::Plus0dB);
    ASSERT_TRUE(SetSum(old, SumSetting::Minus3dB));
    EXPECT_EQ(old.byte(0x012B), 0);

    ConfigImage img = test::GridTestImage(0x0500, 3);
    EXPECT_EQ(CurrentSum(img), SumSetting::Plus0dB) << "zero bytes read as + 0 dB";
    ASSERT_TRUE(SetSum(img, SumSetting::Minus3dB));
    const int a = ExtensionBlock(3) + 0x7C;
    EXPECT_EQ(img.word(a), 0xFFF1);
    EXPECT_EQ(img.word(a + 2), 0xFFF1);
    EXPECT_EQ(CurrentSum(img), SumSetting::Minus3dB);
    img.setByte(a + 3, 0x12);
    EXPECT_EQ(CurrentSum(img), std::nullopt);

    ConfigImage none = test::GridTestImage(0x0000);
    EXPECT_FALSE(SetSum(none, SumSetting::Plus0dB));
    EXPECT_FALSE(none.modified());
}

TEST(ChannelOptions, GroupsStoreEachOutputsOwnSecondGroup)
{
    ConfigImage img = test::GridTestImage(0x0510, 2);
    EXPECT_EQ(SetGroup(img, {5, 33, 35, 38, 47, 49}, 2), 4);
    const int base = ExtensionBlock(2) + 0x3C;
    EXPECT_EQ(img.lowByte(base + 0), GroupAnalogue);
    EXPECT_EQ(img.lowByte(base + 4), GroupDigital);
    EXPECT_EQ(GroupOf(img, 38), GroupAnalogue);
    EXPECT_EQ(GroupOf(img, 47), GroupDigital);
    EXPECT_EQ(GroupOf(img, 49), -1);
    SetGroup(img, {38}, GroupMaster);
    EXPECT_EQ(GroupOf(img, 38), GroupMaster);
    EXPECT_EQ(GroupName(SecondGroup(41)), "Analogue");
    EXPECT_EQ(GroupName(SecondGroup(44)), "Digital");
}

TEST(ChannelOptions, GainsAndTheirText)
{
    ConfigImage img = test::GridTestImage(0x0500, 4);
    img.setWord(ExtensionBlock(4) + 0x5C + 2 * 7, uint16_t(-35));
    img.setWord(ExtensionBlock(4) + 0x16, 120);
    EXPECT_EQ(StoredGain(img, 40), -35);
    EXPECT_EQ(StoredGain(img, 49), std::nullopt);
    EXPECT_EQ(GroupGain(img, GroupAnalogue), 120);
    EXPECT_EQ(StoredGain(test::GridTestImage(0x0420), 40), std::nullopt);

    const std::pair<int, const char*> texts[] = {{-35, "-3,5"}, {120, "12,0"}, {0, "0,0"}, {-5, "-0,5"}, {210, "21,0"}};
    for (auto [tenths, text] : texts)
        EXPECT_EQ(FormatGain(tenths), text);
}

} // namespace
} // namespace qv
