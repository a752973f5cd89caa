#include "config/preset_list.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PresetList, EntriesAndOffsetStandard)
{
    ConfigImage image;
    image.setPresetName(0, "ABC");
    image.setPresetName(10, "Last one!!");
    const auto entries = PresetListEntries(image);
    ASSERT_EQ(entries.size(), 11u);
    EXPECT_EQ(entries[0], "Preset 1 - ABC       ");
    EXPECT_EQ(entries[10], "Preset 11 - Last one!!");

    struct Case {
        uint8_t high;
        uint8_t low;
        const char* name;
    };
    const Case cases[] = {{0x00, 0x00, "International"}, {0x1E, 0x1E, "German"}, {0xC4, 0xC4, "US"},
                          {0x1E, 0x00, "Unknown"},       {0x00, 0xC4, "Unknown"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        image.setByte(0x010A, c.high);
        image.setByte(0x010B, c.low);
        EXPECT_EQ(OffsetStandardName(image), c.name);
    }
}

} // namespace
} // namespace qv
