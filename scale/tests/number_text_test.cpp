#include "scale/number_text.h"

#include <gtest/gtest.h>

namespace {

TEST(String2Float, ReadsWhatUsersType)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"-12,5", -12.5}, {"-12.5", -12.5}, {"-0.5", -0.5}, {"3.25", 3.25},  {"7", 7.0},
        {"1.2345", 1.234}, {"123456", 12345.0}, {"-12345.5", -1234.5}, // five characters, sign included
        {"", 0.0},       {"-", 0.0},         {"+3.5", 3.5},  {".5", 0.5},     {"-.5", -0.5},
        {"18.", 18.0},   {"0.05", 0.05},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = qv::String2Float(c.text);
        EXPECT_DOUBLE_EQ(parsed.value, c.value);
        EXPECT_TRUE(parsed.errors.empty());
    }
}

TEST(String2Float, PartsThatDoNotReadCountAsZeroWithAMessage)
{
    auto parsed = qv::String2Float("abc");
    EXPECT_EQ(parsed.value, 0.0);
    EXPECT_EQ(parsed.errors, std::vector<std::string>{"ConversionError 'abc' is not a valid integer value"});

    parsed = qv::String2Float("4.x");
    EXPECT_EQ(parsed.value, 4.0);
    EXPECT_EQ(parsed.errors, std::vector<std::string>{"ConversionError 'x' is not a valid integer value"});

    parsed = qv::String2Float("a.b");
    EXPECT_EQ(parsed.value, 0.0);
    EXPECT_EQ(parsed.errors.size(), 2u);
}

TEST(FormatScaleValue, OneDecimalAtMostSevenDigits)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0.0"},       {-18.0, "-18.0"},         {6.0, "6.0"},          {1.26, "1.3"},
        {-0.04, "0.0"},     {12345.0, "12345.0"},     {123456.78, "123456.8"}, {1234567.8, "1234568.0"},
        {1e8, "1.000000E+08"}, {0.95, "1.0"},          {0.25, "0.3"},         {-0.05, "-0.1"},
        {-2.0, "-2.0"},       {9999999.4, "9999999.0"}, {1e-300, "0.0"},      {-0.049, "0.0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::FormatScaleValue(c.value), c.text) << c.value;
    EXPECT_EQ(qv::FormatScaleValue(-12.5, ','), "-12,5");
}

TEST(ParseDecimalInteger, SignedDecimalWithin32Bits)
{
    EXPECT_EQ(qv::ParseDecimalInteger("-180"), -180);
    EXPECT_EQ(qv::ParseDecimalInteger("+6"), 6);
    EXPECT_EQ(qv::ParseDecimalInteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "-", "1 ", " 1", "1e3", "2147483648", "99999999999999999999", "$10"})
        EXPECT_FALSE(qv::ParseDecimalInteger(bad)) << bad;
}

} // namespace
