#include "link/version_marker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Text as the instrument stores it: the two characters of each pair swapped.
std::vector<uint8_t> PairReversed(const std::string& text)
{
    std::string s = text;
    if (s.size() % 2)
        s += ' ';
    std::vector<uint8_t> out(s.begin(), s.end());
    for (size_t i = 0; i + 1 < out.size(); i += 2)
        std::swap(out[i], out[i + 1]);
    return out;
}

std::vector<uint8_t> Area(const std::string& prefix, const std::string& textAtMarker)
{
    std::vector<uint8_t> area(2048, 0);
    auto bytes = PairReversed(textAtMarker);
    std::copy(prefix.begin(), prefix.end(), area.begin() + 256);
    std::copy(bytes.begin(), bytes.end(), area.begin() + 256 + long(prefix.size()));
    return area;
}

} // namespace

TEST(VersionMarker, FindsTheFilteredTextAfterTheMarker)
{
    auto area = Area("", "SOFTWARE VERSION 5.30  ");
    auto text = qv::FindVersionText(area.data(), area.size());
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "5.30");
}

TEST(VersionMarker, PartialMatchRightBeforeTheMarkerHidesIt)
{
    // The 'O' after a partial "OS" resets the scan and is not tested again.
    auto area = Area("OS", "SOFTWARE VERSION 5.30  ");
    EXPECT_FALSE(qv::FindVersionText(area.data(), area.size()));
    auto spaced = Area("OSx", "SOFTWARE VERSION 5.30  ");
    EXPECT_TRUE(qv::FindVersionText(spaced.data(), spaced.size()));
}

TEST(VersionMarker, MarkerAtTheEndGivesEmptyText)
{
    std::vector<uint8_t> area(2048, 0);
    auto marker = PairReversed("SOFTWARE VER");
    std::copy(marker.begin(), marker.end(), area.end() - 12);
    auto text = qv::FindVersionText(area.data(), area.size());
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "");
}

TEST(VersionMarker, DefaultsOfBothPrograms)
{
    struct Case {
        const char* text; // after "SOFTWARE VER"; nullptr: no marker
        bool readFailed;
        bool cancelled;
        double update;
        double matrix;
    } cases[] = {
        {"SION 5.30   ", false, false, 5.30, 5.30},
        {"SION 5,30   ", false, false, 1.0, 5.30},
        {"SION ABC    ", false, false, 1.0, 1.0},
        {"SION 1.2.3  ", false, false, 1.0, 1.0},
        {nullptr, false, false, 256.0, 0.0},
        {nullptr, true, false, 256.0, 0.0},
        {"SION 5.30   ", false, true, 5.30, 1.0},
    };
    for (const auto& c : cases) {
        std::optional<std::vector<uint8_t>> area;
        if (!c.readFailed)
            area = c.text ? Area("", std::string("SOFTWARE VER") + c.text) : std::vector<uint8_t>(2048, 0);
        EXPECT_DOUBLE_EQ(qv::UpdateSoftwareVersion(area), c.update) << (c.text ? c.text : "none");
        EXPECT_DOUBLE_EQ(qv::MatrixSoftwareVersion(area, c.cancelled), c.matrix) << (c.text ? c.text : "none");
    }
}
