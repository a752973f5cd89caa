#include "link/value_text.h"

#include <gtest/gtest.h>

TEST(ValueText, Evaluates)
{
    struct Case {
        const char* text;
        std::optional<int64_t> value;
    } cases[] = {
        {"$1F40", 0x1F40}, {"8000", 8000},     {"100*1.5", 150},  {"100/3", 33},     {"7+0.9", 7},
        {"10-2.5", 7},     {"-5", 5},          {"$10'2", std::nullopt},             {"", std::nullopt},
        {"12abc", std::nullopt},               {"100/0", std::nullopt},             {"$G1", std::nullopt},
        // Finite but beyond the 64-bit range: no value, not a wrapped one.
        {"4-1e21", std::nullopt},              {"2*1e300", std::nullopt},           {"1/1e-308", std::nullopt},
        {"9000000000000000000*1", 9000000000000000000}, {"9223372036854775807*1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::EvaluateValueText(c.text), c.value) << c.text;
}
