#include "matrix/grid_model.h"
#include "matrix/illegal_crosspoints.h"
#include "matrix/tests/grid_test_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

TEST(IllegalCrosspoints, FixedPatternByNumber)
{
    struct Case {
        int input, output;
        uint16_t version;
        bool illegal;
    };
    const Case cases[] = {
        {57, 65, 0x0530, true},  {88, 96, 0x0530, true},  {60, 68, 0x0530, true},
        {57, 66, 0x0530, false}, {60, 65, 0x0530, false}, {56, 72, 0x0530, false},
        {49, 1, 0x0500, true},   {50, 96, 0x0509, true},  {49, 1, 0x0510, false},
        {50, 40, 0x0530, false}, {1, 63, 0x0530, true},   {88, 64, 0x0530, true},
        {55, 49, 0x0530, true},  {56, 50, 0x0530, true},  {55, 51, 0x0530, false},
        {54, 49, 0x0530, false}, {51, 55, 0x0530, false}, {55, 62, 0x0530, false},
        {57, 58, 0x0530, false}, {88, 62, 0x0530, false}, {1, 55, 0x0530, true},
        {50, 62, 0x0530, true},  {52, 58, 0x0530, true},  {54, 60, 0x0530, true},
        {56, 61, 0x0530, true},  {1, 1, 0x0000, false},   {53, 54, 0x0530, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsIllegalCrosspoint(c.input, c.output, c.version), c.illegal)
            << "input " << c.input << " output " << c.output << " version " << std::hex << c.version;
}

class GridModelTest : public ::testing::Test {
protected:
    GridSettings settings;
    GridModel model{settings};
    std::vector<std::string> sent;
    CommandSender send = [this](const std::string& s) { sent.push_back(s); };
};

TEST_F(GridModelTest, DefaultLabelsBeforeAnyImage)
{
    EXPECT_EQ(model.inputLabel(0), " In - 1");
    EXPECT_EQ(model.inputLabel(88), " In - 89");
    EXPECT_EQ(model.outputLabel(95), "Out - 96");
    EXPECT_EQ(model.outputLabel(96), "Out - 97");
    EXPECT_EQ(model.sourceOf(0), -1);
}

TEST_F(GridModelTest, BuildShowsTheRoutingOfTheSelectedPresetWithHints)
{
    ConfigImage image = test::GridTestImage(0x0530, 3);
    image.setRoutingByte(3, 11, 0x80 | 4); // bit 7 is the instrument's flag
    image.setRoutingByte(3, 20, 0x7F);     // names no input
    image.setSource(2, 5, 30);              // another preset: not shown
    model.rebuildLabels(image);
    model.rebuildGrid(image);

    EXPECT_EQ(model.sourceOf(11), 4);
    EXPECT_EQ(model.cell(4, 11), settings.xpointFromFile);
    EXPECT_EQ(model.hint(11), "Input #5 (I5  ) is routed to this output.");
    EXPECT_EQ(model.sourceOf(20), -1);
    EXPECT_EQ(model.hint(20), "");
    EXPECT_EQ(model.sourceOf(5), 0);
    EXPECT_EQ(model.inputLabel(40), "I41 ");
    EXPECT_EQ(model.outputLabel(67), "I60 ") << "output 68 shares input 60's label";
    image.setInputLabel(3, 5, "VTR");
    model.rebuildLabels(image);
    EXPECT_EQ(model.hint(11), "Input #5 (VTR ) is routed to this output.") << "hints follow renamed inputs";
    // Outputs 63 and 64 have input 1 routed, but every input is illegal there.
    EXPECT_TRUE(model.isIllegal(0, 62));
    EXPECT_EQ(model.sourceOf(62), -1);
}

TEST_F(GridModelTest, Inputs49And50BecomeLegalWithThe510Upgrade)
{
    ConfigImage image = test::GridTestImage(0x0500);
    model.rebuildGrid(image);
    for (int o = 0; o < GridModel::kShownOutputs; ++o) {
        EXPECT_TRUE(model.isIllegal(48, o)) << o;
        EXPECT_TRUE(model.isIllegal(49, o)) << o;
    }
    ASSERT_TRUE(image.upgradeTo510());
    model.markIllegal(image.imageVersion());
    EXPECT_FALSE(model.isIllegal(48, 0));
    EXPECT_TRUE(model.isEmpty(49, 0));
    EXPECT_TRUE(model.isIllegal(49, 62)) << "outputs 63 and 64 stay illegal";
    EXPECT_TRUE(model.isIllegal(49, 55)) << "outputs 55-62 stay closed to input 50";
    EXPECT_EQ(model.setCrosspoint(48, 0, image, false, send), GridModel::Click::Set);
}

TEST_F(GridModelTest, OfflineSetWritesTheRoutingByteOfTheSelectedPreset)
{
    for (int preset : {0, 4}) {
        ConfigImage image = test::GridTestImage(0x0530, preset);
        model.rebuildLabels(image);
        model.rebuildGrid(image);

        EXPECT_EQ(model.setCrosspoint(4, 11, image, false, send), GridModel::Click::Set);
        EXPECT_EQ(image.byte(RoutingBlock(preset) + 0x0A), 4) << "output index 11 pair-reversed";
        EXPECT_TRUE(image.modified());
        EXPECT_EQ(model.cell(4, 11), settings.xpointFromFile);
        EXPECT_TRUE(model.isEmpty(0, 11)) << "the previous source is cleared";
        EXPECT_EQ(model.sourceOf(11), 4);
        EXPECT_EQ(model.hint(11), "Input #5 (I5  ) is routed to this output.");
        EXPECT_TRUE(model.isIllegal(0, 62)) << "illegal cells of other rows stay";
    }
    EXPECT_TRUE(sent.empty());
}

TEST_F(GridModelTest, IllegalClickChangesNothing)
{
    ConfigImage image = test::GridTestImage(0x0530);
    model.rebuildGrid(image);
    const GridModel before = model;
    const auto bytes = image.bytes();

    EXPECT_EQ(model.setCrosspoint(9, 62, image, false, send), GridModel::Click::FlashIllegal);
    EXPECT_EQ(model.setCrosspoint(9, 62, image, true, send), GridModel::Click::FlashIllegal);
    EXPECT_EQ(image.bytes(), bytes);
    EXPECT_FALSE(image.modified());
    EXPECT_TRUE(sent.empty());
    for (int o = 0; o < GridModel::kColumns; ++o)
        for (int i = 0; i < GridModel::kRows; ++i)
            ASSERT_EQ(model.cell(i, o), before.cell(i, o));
}

TEST_F(GridModelTest, RemoteSetSendsTheCommandAndWaitsForTheReport)
{
    ConfigImage image = test::GridTestImage(0x0530);
    model.rebuildGrid(image);
    const auto bytes = image.bytes();

    EXPECT_EQ(model.setCrosspoint(4, 11, image, true, send), GridModel::Click::Sent);
    EXPECT_EQ(sent, std::vector<std::string>{".SA12,5*\r"});
    EXPECT_EQ(image.bytes(), bytes);
    EXPECT_EQ(model.sourceOf(11), 0) << "the grid changes only on the report";

    EXPECT_TRUE(model.applyReport(12, 5, true));
    EXPECT_EQ(model.cell(4, 11), settings.remoteXpoint);
    EXPECT_TRUE(model.isEmpty(0, 11));
    EXPECT_TRUE(model.applyReport(12, 7, false));
    EXPECT_EQ(model.cell(6, 11), settings.localXpoint);
    EXPECT_TRUE(model.isEmpty(4, 11));
}

TEST_F(GridModelTest, ReportsOutOfRangeOrOnIllegalCellsSetNothing)
{
    ConfigImage image = test::GridTestImage(0x0530);
    model.rebuildGrid(image);
    EXPECT_FALSE(model.applyReport(0, 5, true));
    EXPECT_FALSE(model.applyReport(97, 5, true));
    EXPECT_FALSE(model.applyReport(5, 89, true));
    EXPECT_FALSE(model.applyReport(5, -3, true));
    EXPECT_EQ(model.sourceOf(4), 0);

    EXPECT_TRUE(model.applyReport(63, 10, true));
    EXPECT_TRUE(model.isIllegal(9, 62));
}

TEST_F(GridModelTest, LocksToggleAndStopRemoteChangesOfTheirRow)
{
    ConfigImage image = test::GridTestImage(0x0530);
    model.rebuildGrid(image);
    model.applyReport(1, 3, true);  // remote
    model.applyReport(2, 4, false); // local

    EXPECT_EQ(model.toggleLocks({1, 2, 3}), (std::vector<int>{1, 2})) << "output 3 still holds the offline icon";
    EXPECT_EQ(model.cell(2, 0), settings.lockedXpoint);
    EXPECT_EQ(model.cell(3, 1), settings.lockedXpoint);

    EXPECT_EQ(model.setCrosspoint(7, 0, image, true, send), GridModel::Click::FlashLocked);
    EXPECT_TRUE(sent.empty());

    EXPECT_EQ(model.toggleLocks({1}), std::vector<int>{1});
    EXPECT_EQ(model.cell(2, 0), settings.remoteXpoint);
    EXPECT_EQ(model.setCrosspoint(7, 0, image, true, send), GridModel::Click::Sent);
    EXPECT_EQ(sent, std::vector<std::string>{".SA1,8*\r"});
}

TEST_F(GridModelTest, IconNumbersComeFromTheSettings)
{
    settings.xpointFromFile = 9;
    settings.illegalXpointGreyed = 1;
    model.setSettings(settings);
    ConfigImage image = test::GridTestImage(0x0530);
    model.rebuildGrid(image);
    EXPECT_EQ(model.cell(0, 0), 9);
    EXPECT_EQ(model.cell(0, 63), 1);
    EXPECT_EQ(model.setCrosspoint(0, 63, image, false, send), GridModel::Click::FlashIllegal);
}

// Exchanging the local and remote icons swaps every such cell; the roles'
// old numbers decide, each cell changes once and empty cells stay empty.
TEST_F(GridModelTest, RenumberingFollowsEachRoleByItsOldIcon)
{
    model.setCell(0, 0, settings.localXpoint);   // 13
    model.setCell(1, 1, settings.remoteXpoint);  // 8
    model.setCell(2, 2, settings.lockedXpoint);  // 4
    model.setCell(3, 3, settings.illegalXpointGreyed);
    model.setCell(4, 4, settings.xpointFromFile);
    model.setCell(5, 5, 20); // no role's icon

    GridSettings swapped = settings;
    swapped.localXpoint = 8;
    swapped.remoteXpoint = 13;
    swapped.lockedXpoint = 5;
    swapped.xpointFromFile = 4; // the old locked number: changed once, not twice
    swapped.illegalXpointGreyed = 1;
    model.renumberIcons(swapped);

    EXPECT_EQ(model.cell(0, 0), 8);
    EXPECT_EQ(model.cell(1, 1), 13);
    EXPECT_EQ(model.cell(2, 2), 5);
    EXPECT_EQ(model.cell(3, 3), 1);
    EXPECT_EQ(model.cell(4, 4), 4);
    EXPECT_EQ(model.cell(5, 5), 20);
    EXPECT_EQ(model.cell(6, 6), 0);
    EXPECT_TRUE(model.isIllegal(3, 3)) << "the settings are taken";
    EXPECT_EQ(model.sourceOf(0), 0);

    // A role read as 0 from the settings file never fills the empty cells.
    GridSettings zeroLocal = swapped;
    zeroLocal.localXpoint = 0;
    model.setSettings(zeroLocal);
    GridSettings fixed = zeroLocal;
    fixed.localXpoint = 9;
    model.renumberIcons(fixed);
    EXPECT_EQ(model.cell(6, 6), 0);
}

} // namespace
} // namespace qv
