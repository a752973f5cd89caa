#include "scale/marker_rule.h"

#include "scale/scale_codes.h"

#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int U = qv::KindUnderLoad;
constexpr int O = qv::KindOverload;
constexpr int W = qv::KindSolidWhite;

TEST(MarkerRule, LaterMarkersOfASortGoBackToNone)
{
    struct Case {
        const char* what;
        std::vector<std::pair<size_t, int>> set; // line index, kind
        std::vector<size_t> reset;
    };
    const Case cases[] = {
        {"one of each", {{0, O}, {5, U}, {6, W}}, {}},
        {"second overload", {{2, O}, {9, O}}, {9}},
        // The user picked Overload on line 3; line 12 had it before and loses it.
        {"earlier line changed", {{11, O}, {2, O}}, {11}},
        {"two of each", {{1, U}, {3, O}, {4, U}, {27, O}}, {4, 27}},
        {"three overloads", {{0, O}, {1, O}, {2, O}}, {1, 2}},
        {"no style chosen", {{0, -1}, {1, O}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::array<int, 28> kinds{};
        for (auto [line, kind] : c.set)
            kinds[line] = kind;
        auto expected = kinds;
        for (size_t line : c.reset)
            expected[line] = qv::KindNone;
        EXPECT_EQ(qv::ApplyMarkerRule(kinds), c.reset);
        EXPECT_EQ(kinds, expected);
    }
    EXPECT_EQ(qv::kMarkerRuleWarning, "There can only be one Overload Marker and one Underload Marker");
}

} // namespace
