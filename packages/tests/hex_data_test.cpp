#include "packages/hex_data.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ValidateHexData, WidthFive)
{
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"8000", "$1F40"},  {"0", "$0000"},       {"65535", "$FFFF"}, {"65536", "$10000"},
        {"$1f4", "$01F4"},  {"$FFFF", "$FFFF"},   {"1F40", std::nullopt}, {"$12345", std::nullopt},
        {"", std::nullopt}, {"-1", std::nullopt}, {"$1G", std::nullopt},  {"12 ", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ValidateHexData(5, text), expected) << text;
}

TEST(ValidateHexData, ValueOfTheResult)
{
    EXPECT_EQ(HexDataValue(*ValidateHexData(5, "8000")), 8000u);
    EXPECT_EQ(HexDataValue(*ValidateHexData(5, "$01F4")), 500u);
    EXPECT_EQ(HexDataValue(*ValidateHexData(5, "65536")), 65536u);
    // Too large for 32 bits: still out of any 16-bit range, never wrapped round.
    EXPECT_GT(HexDataValue(*ValidateHexData(5, "99999999999999999999")), 65535u);
}

} // namespace
} // namespace qv
