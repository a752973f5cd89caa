#include "lcd_font.h"

#include "data/embedded_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(LcdFont, CommittedItemIsWhatTheDrawingsMake)
{
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(qvtools::LcdFontBytes(bytes, error)) << error;
    const auto item = qv::EmbeddedData("Font");
    EXPECT_EQ(std::vector<uint8_t>(item.begin(), item.end()), bytes) << "regenerate with lcd-font data/items/Font.bin";
}

} // namespace
