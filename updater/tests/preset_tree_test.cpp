#include "preset_fixture.h"

#include "updater/preset_tree.h"

#include <gtest/gtest.h>

namespace {

using TreeLines = std::vector<std::pair<int, std::string>>;

TEST(PresetTree, LinesOfAPresetFile)
{
    qv::ConfigImage image = FixtureConfiguration();
    image.trailer().checksum = 0x0BADF00D;
    const qv::StatusTree tree = qv::PresetFileTree(image);
    const TreeLines expected = {
        {0, "Configuration File."},
        {1, "File Information. (File Origin.)"},
        {2, "Serial Number: 54321"},
        {2, "RVT Type: RVT120S"},
        {2, "Software Version: 05.30"},
        {2, "Extended Bios Version: 0203"},
        {2, "Hardware ID: 00A1"},
        {2, "Checksum: 0BADF00D"},
        {1, "Presets."},
        {2, "Preset #1: Studio 1  "},
        {2, "Preset #2: Studio 2  "},
        {2, "Preset #3: OB Van    "},
        {2, "Preset #4: Edit Suite"},
        {2, "Preset #5: Dubbing   "},
        {2, "Preset #6: News      "},
        {2, "Preset #7: Sport     "},
        {2, "Preset #8: Music     "},
        {2, "Preset #9: Drama     "},
        {2, "Preset #10: Test      "},
        {2, "Preset #11: Spare     "},
        {1, "Scales."},
        {2, "Scale Offset: German Offset."},
        {2, "Scale #1: PPM1"},
        {2, "Scale #2: PPM2"},
        {2, "Scale #3: DIN "},
        {2, "Scale #4: Nord"},
        {2, "Scale #5: VU  "},
        {2, "Scale #6: Dig "},
        {2, "Scale #7: Leq "},
    };
    EXPECT_EQ(tree.flatten(), expected);
    EXPECT_FALSE(tree.icons);
    ASSERT_EQ(tree.lines.size(), 1u);
    EXPECT_TRUE(tree.lines[0].expanded) << "the root shows its three groups";
    for (const qv::TreeNode& group : tree.lines[0].children)
        EXPECT_FALSE(group.expanded) << group.text;
}

TEST(PresetTree, OriginFieldsAtTheirLimits)
{
    struct Case {
        int32_t serial;
        int32_t type;
        uint32_t version;
        const char* serialLine;
        const char* typeLine;
        const char* versionLine;
    } cases[] = {
        {-1, 24, 0x0510, "Serial Number: -1", "RVT Type: RX4480 Series", "Software Version: 05.10"},
        {0, 0, 0, "Serial Number: 0", "RVT Type: Unknown Instrument", "Software Version: 00.00"},
        {70000, 25, 0xFFFF0412, "Serial Number: 70000", "RVT Type: Unknown Instrument (25)",
         "Software Version: 04.12"},
        {1, -3, 0x0530, "Serial Number: 1", "RVT Type: Unknown Instrument (-3)", "Software Version: 05.30"},
    };
    for (const Case& c : cases) {
        qv::ConfigImage image = FixtureConfiguration();
        image.trailer().serial = c.serial;
        image.trailer().type = c.type;
        image.trailer().version = c.version;
        const TreeLines lines = qv::PresetFileTree(image).flatten();
        EXPECT_EQ(lines[2].second, c.serialLine);
        EXPECT_EQ(lines[3].second, c.typeLine);
        EXPECT_EQ(lines[4].second, c.versionLine);
    }
}

TEST(PresetTree, ScaleOffsetFromBothBytes)
{
    struct Case {
        uint8_t high;
        uint8_t low;
        const char* line;
    } cases[] = {
        {0x00, 0x00, "Scale Offset: International Offset."}, {0x1E, 0x1E, "Scale Offset: German Offset."},
        {0xC4, 0xC4, "Scale Offset: US Offset."},            {0x1E, 0x00, "Scale Offset: Unknown Offset."},
        {0x00, 0xC4, "Scale Offset: Unknown Offset."},
    };
    for (const Case& c : cases) {
        qv::ConfigImage image = FixtureConfiguration();
        image.setByte(0x010A, c.high);
        image.setByte(0x010B, c.low);
        EXPECT_EQ(qv::PresetFileTree(image).flatten()[21].second, c.line);
    }
}

TEST(PresetTree, RawImageHasOneLine)
{
    EXPECT_EQ(qv::UnknownConfigurationTree().flatten(), (TreeLines{{0, "Unknown Configuration File."}}));
}

} // namespace
