// Reading the I/O module's MAC text and judging the address.
#include "updater/mac_address.h"

#include <gtest/gtest.h>

namespace {

TEST(MacAddress, ParsesPairsUntilOneIsNotHexadecimal)
{
    struct Case {
        const char* text;
        qv::MacBytes parsed; // from 01:02:03:04:05:06
    } cases[] = {
        {"000B3C123456", {0x00, 0x0B, 0x3C, 0x12, 0x34, 0x56}},
        {"000b57abcdef", {0x00, 0x0B, 0x57, 0xAB, 0xCD, 0xEF}},
        {"000B3CZZ0000", {0x00, 0x0B, 0x3C, 0x04, 0x05, 0x06}},
        {"0G0B3C123456", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}},
        {"000B3", {0x00, 0x0B, 0x03, 0x04, 0x05, 0x06}},
        {"", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06}},
    };
    for (const auto& c : cases) {
        qv::MacBytes mac{1, 2, 3, 4, 5, 6};
        qv::ParseMacText(c.text, mac);
        EXPECT_EQ(mac, c.parsed) << c.text;
    }
}

TEST(MacAddress, OnlyOurPrefixesPass)
{
    EXPECT_TRUE(qv::MacAddressValid({0x00, 0x0B, 0x3C, 0x12, 0x34, 0x56}));
    EXPECT_TRUE(qv::MacAddressValid({0x00, 0x0B, 0x57, 0, 0, 0}));
    EXPECT_FALSE(qv::MacAddressValid({0x00, 0x0B, 0x58, 0, 0, 0}));
    EXPECT_FALSE(qv::MacAddressValid({0x00, 0x0C, 0x3C, 0, 0, 0}));
    EXPECT_FALSE(qv::MacAddressValid({0x01, 0x0B, 0x3C, 0, 0, 0}));
}

} // namespace
