#include "config/image_version.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ImageVersion, ParsesTextOfTheFormMdotmmOrMMdotmm)
{
    struct Case {
        const char* text;
        std::optional<uint16_t> version;
    };
    const Case cases[] = {
        {"5.30", 0x0530},  {"05.30", 0x0530}, {"5.3", 0x0503}, {"10.00", 0x1000},
        {"A.bc", 0x0ABC},  {"5.07", 0x0507},  {"0.0", 0x0000},
        {"5.300", {}},     {"530", {}},       {".30", {}},     {"123.4", {}},
        {"5.", {}},        {"5.3x", {}},      {"-5.30", {}},   {"5,30", {}},
        {"", {}},          {" 5.30", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseImageVersion(c.text), c.version);
    }
}

TEST(ImageVersion, TextAndDecimalVersions)
{
    EXPECT_EQ(ImageVersionText(0x0530), "05.30");
    EXPECT_EQ(ImageVersionText(0x0000), "00.00");
    EXPECT_EQ(ImageVersionText(0x1A0F), "1A.0F");

    struct Case {
        double decimal;
        uint32_t version;
    };
    const Case cases[] = {
        {5.3, 0x0530}, {5.07, 0x0507}, {5.0, 0x0500}, {1.0, 0x0100}, {0.0, 0},
        {10.5, 0x1050}, {256.0, 0x25600}, {-1.0, 0}, {1e12, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.decimal);
        EXPECT_EQ(ImageVersionFromDecimal(c.decimal), c.version);
    }
}

} // namespace
} // namespace qv
