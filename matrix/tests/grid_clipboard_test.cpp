#include "matrix/grid_clipboard.h"
#include "matrix/tests/channel_names.h"
#include "matrix/tests/grid_test_image.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(GridClipboard, LabelsBlockHoldsSelectedSlotsInReadingOrder)
{
    ConfigImage image = test::GridTestImage(0x0530, 2);
    LabelSelection s;
    s.set(In(1), true);
    s.set(In(40), true); // from the selected preset's label block
    s.set(Out(3), true);
    const auto block = CopyLabels(image, s);
    ASSERT_EQ(block.size(), kLabelsBlockSize);
    auto slot = [&](int k) { return std::string(block.begin() + 4 * k, block.begin() + 4 * k + 4); };
    EXPECT_EQ(slot(0), "I1  ");
    EXPECT_EQ(slot(39), "I40 ");
    EXPECT_EQ(slot(88 + 2), "O3  ");
    EXPECT_EQ(slot(1), std::string(4, '\0'));
    EXPECT_EQ(slot(88 + 95), std::string(4, '\0'));
}

TEST(GridClipboard, PastingLabelsChangesOnlyTheCopiedOnes)
{
    ConfigImage source = test::GridTestImage(0x0530);
    source.setOutputLabel(3, "MIX3");
    LabelSelection only3;
    only3.set(Out(3), true);
    const auto block = CopyLabels(source, only3);

    ConfigImage target = test::GridTestImage(0x0530, 6);
    auto before = target;
    ASSERT_TRUE(PasteLabels(target, block));
    EXPECT_EQ(target.outputLabel(3), "MIX3");
    EXPECT_TRUE(target.modified());
    before.setOutputLabel(3, "MIX3");
    EXPECT_EQ(target.bytes(), before.bytes()) << "nothing else changed";

    // Input labels 33-56 land in the target's selected preset.
    LabelSelection in40;
    in40.set(In(40), true);
    ASSERT_TRUE(PasteLabels(target, CopyLabels(source, in40)));
    EXPECT_EQ(target.inputLabel(6, 40), "I40 ");
    EXPECT_EQ(target.inputLabel(0, 40), std::string(4, '\0'));
}

TEST(GridClipboard, CrosspointsRoundTripWholeRoutingBytes)
{
    ConfigImage source = test::GridTestImage(0x0530, 1);
    source.setRoutingByte(1, 4, 0x80 | 17);
    source.setRoutingByte(1, 5, 20);
    LabelSelection s;
    s.set(Out(5), true);
    const auto block = CopyCrosspoints(source, s);
    ASSERT_EQ(block.size(), kCrosspointsBlockSize);
    EXPECT_EQ(block[4], 0x80 | 17);
    EXPECT_EQ(block[5], kNoCrosspoint);

    ConfigImage target = test::GridTestImage(0x0530, 3);
    ASSERT_TRUE(PasteCrosspoints(target, block));
    EXPECT_EQ(target.routingByte(3, 4), 0x80 | 17) << "bit 7 travels with the byte";
    EXPECT_EQ(target.source(3, 5), 0);
    EXPECT_EQ(target.source(0, 4), 0) << "only the selected preset";
}

TEST(GridClipboard, ForeignBlocksAreRefusedOrFiltered)
{
    ConfigImage image = test::GridTestImage(0x0530);
    const auto bytes = image.bytes();
    EXPECT_FALSE(PasteLabels(image, std::vector<uint8_t>(735, 'A')));
    EXPECT_FALSE(PasteLabels(image, std::vector<uint8_t>(737, 'A')));
    EXPECT_FALSE(PasteCrosspoints(image, std::vector<uint8_t>(95, 1)));
    EXPECT_FALSE(PasteCrosspoints(image, {}));
    EXPECT_EQ(image.bytes(), bytes);
    EXPECT_FALSE(image.modified());

    std::vector<uint8_t> block(kCrosspointsBlockSize, kNoCrosspoint);
    block[0] = 88;   // no input 89
    block[1] = 0xD8; // flag + 88
    block[2] = 87;
    ASSERT_TRUE(PasteCrosspoints(image, block));
    EXPECT_EQ(image.source(0, 0), 0);
    EXPECT_EQ(image.source(0, 1), 0);
    EXPECT_EQ(image.source(0, 2), 87);
}

} // namespace
} // namespace qv
