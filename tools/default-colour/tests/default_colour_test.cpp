#include "default_colour.h"

#include "data/embedded_data.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DefaultColour, CommittedItemIsWhatTheTableMakes)
{
    const auto item = qv::EmbeddedData("Colour");
    EXPECT_EQ(std::vector<uint8_t>(item.begin(), item.end()), qvtools::DefaultColourBytes())
        << "regenerate with default-colour data/items/Colour.bin";
}

// The theme dialog reads some entries by their low byte and others by their
// high byte: both must name the same 3-bit colour.
TEST(DefaultColour, EveryWordHoldsOneCodeInBothBytes)
{
    const auto bytes = qvtools::DefaultColourBytes();
    ASSERT_EQ(bytes.size(), 256u);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        SCOPED_TRACE(i / 2);
        EXPECT_LE(bytes[i], 7);
        EXPECT_EQ(bytes[i], bytes[i + 1]);
    }
}

} // namespace
