#include "config/default_tables.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

// The shipped tables the 5.00 upgrade copies: of their size, and the colour
// table made of valid 3-bit codes (each word carries its code in both bytes).
TEST(EmbeddedDefaultTables, ColourAndFontAreShipped)
{
    const DefaultTables tables = EmbeddedDefaultTables();
    ASSERT_EQ(tables.colour.size(), 256u);
    ASSERT_EQ(tables.font.size(), 2816u);
    for (size_t k = 0; k < tables.colour.size(); k += 2) {
        SCOPED_TRACE(k);
        EXPECT_LE(tables.colour[k + 1], 7);
        EXPECT_EQ(tables.colour[k], tables.colour[k + 1]);
    }
    // The space is blank and "A" is not.
    const auto glyph = [&](int c) { return tables.font.subspan(size_t(11 * c), 11); };
    for (uint8_t row : glyph(' '))
        EXPECT_EQ(row, 0);
    int lit = 0;
    for (uint8_t row : glyph('A'))
        lit += row != 0;
    EXPECT_EQ(lit, 7);
}

// Without all five tables the programs could not upgrade an image at all.
TEST(EmbeddedDefaultTables, AllFiveAreUsable)
{
    EXPECT_EQ(UnusableDefaultTables(EmbeddedDefaultTables()), std::vector<std::string>{});
}

} // namespace
} // namespace qv
