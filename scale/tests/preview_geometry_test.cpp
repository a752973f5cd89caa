#include "scale/preview_geometry.h"

#include <gtest/gtest.h>

namespace {

qv::ScaleTable Table(uint16_t law, uint16_t mx, uint16_t mn, uint16_t a = 0, uint16_t b = 0)
{
    qv::ScaleTable t{};
    t[qv::kWordLaw] = law;
    t[qv::kWordLawA] = a;
    t[qv::kWordLawB] = b;
    t[qv::kWordHighest] = mx;
    t[qv::kWordLowest] = mn;
    return t;
}

struct Position {
    uint16_t amplitude;
    int y;
};

void ExpectPositions(const qv::ScaleTable& t, std::initializer_list<Position> positions)
{
    for (const auto& p : positions)
        EXPECT_EQ(qv::PreviewY(t, p.amplitude), p.y) << "amplitude " << p.amplitude;
}

TEST(PreviewGeometry, DisplayLaws)
{
    EXPECT_EQ(qv::DisplayLevel(0x0603, 32767, 767, 12345), 12345); // VU: linear
    EXPECT_EQ(qv::DisplayLevel(0x0604, 0, 0, 32768), 0);
    EXPECT_EQ(qv::DisplayLevel(0x0605, 0, 0, 16384), -9864);
    // Other codes: L(0) is 0; with A = B = 0 the same logarithm.
    EXPECT_EQ(qv::DisplayLevel(0x060B, 0, 0, 0), 0);
    EXPECT_EQ(qv::DisplayLevel(0x060B, 0, 0, 16384), -9864);
    EXPECT_EQ(qv::DisplayLevel(0x0A09, 0, 0, 16384), -9864);
    EXPECT_EQ(qv::DisplayLevel(0x0602, 752, 126, 32767), 806);
    EXPECT_EQ(qv::DisplayLevel(0x0602, 752, 126, 1000), -47947);
}

TEST(PreviewGeometry, OneSegmentLawsSpanThirtyToFourHundredThirty)
{
    // 60 dB over 400 pixels on a logarithmic law: -20 dB a third of the way.
    ExpectPositions(Table(0x0600, 32767, 33), {{32767, 30}, {33, 430}, {3277, 163}});
    ExpectPositions(Table(0x0603, 30000, 10000, 32767, 767), {{30000, 30}, {10000, 430}, {20000, 230}});
    ExpectPositions(Table(0x0A09, 32767, 327), {{32767, 30}, {327, 430}, {3273, 230}});
    // Nothing to spread: everything at 0.
    ExpectPositions(Table(0x060B, 1000, 1000), {{1000, 0}, {5, 0}});
}

TEST(PreviewGeometry, SixtyDecibelLawJoinsItsThreeSegments)
{
    for (uint16_t law : {uint16_t(0x0604), uint16_t(0x0608)}) {
        SCOPED_TRACE(law);
        // Full scale to -60 dB: segments meet near 163 (-10 dB) and 296 (-30 dB).
        ExpectPositions(Table(law, 32767, 33),
                        {{32767, 30}, {10363, 163}, {10362, 163}, {3277, 230}, {1037, 296}, {1036, 296}, {33, 429}});
    }
}

TEST(PreviewGeometry, SixDecibelLawJoinsItsThreeSegments)
{
    // Full scale to -6 dB, split near -1 dB (29203) and -3 dB (23197).
    ExpectPositions(Table(0x0605, 32767, 16422),
                    {{32767, 30}, {29204, 163}, {29203, 164}, {23198, 296}, {23197, 296}, {16422, 429}});
}

TEST(PreviewGeometry, ZeroAmplitudeSitsAtTheBottomOfLogarithmicScales)
{
    auto t = Table(0x0604, 32767, 0);
    EXPECT_EQ(qv::PreviewY(t, 0), qv::PreviewY(t, 1));
    EXPECT_GT(qv::PreviewY(t, 0), qv::PreviewY(t, 33));
    t = Table(0x0605, 32767, 0);
    EXPECT_EQ(qv::PreviewY(t, 0), qv::PreviewY(t, 1));
    t = Table(0x0608, 32767, 0);
    EXPECT_GE(qv::PreviewY(t, 0), qv::PreviewY(t, 1036));
}

TEST(PreviewGeometry, DegenerateSegmentsStayWithinTheLimit)
{
    // Empty segments divide by zero; the result is clamped, never undefined.
    for (auto t : {Table(0x0604, 1036, 1036), Table(0x0604, 10362, 1036), Table(0x0605, 23197, 23197),
                   Table(0x0604, 5, 20000)})
        for (uint16_t a : {uint16_t(0), uint16_t(1036), uint16_t(10362), uint16_t(23197), uint16_t(65535)}) {
            const int y = qv::PreviewY(t, a);
            EXPECT_LE(std::abs(y), qv::kPreviewLimit);
        }
}

TEST(PreviewGeometry, HintsOfTheMarkerColumn)
{
    const qv::PreviewMarkers markers{100, 300};
    struct Case {
        int x, y;
        const char* hint; // nullptr: hints off
    };
    const Case cases[] = {
        {92, 31, "Overload"}, {99, 99, "Overload"},   {95, 100, nullptr},   {95, 299, nullptr},
        {95, 300, "Underload"}, {95, 431, "Underload"}, {95, 432, nullptr},   {95, 30, nullptr},
        {91, 50, nullptr},    {100, 50, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const auto hint = qv::PreviewHint(c.x, c.y, markers);
        if (c.hint)
            EXPECT_EQ(hint, c.hint);
        else
            EXPECT_FALSE(hint);
    }
    // Before any marker is drawn there is nothing to hint at.
    EXPECT_FALSE(qv::PreviewHint(95, 200, {}));
}

} // namespace
