// Which screen is read and which memory an upload reads for a rectangle.
#include "service/lcd_geometry.h"

#include <gtest/gtest.h>

namespace {

using qv::ColumnRead;
using qv::LcdRect;

TEST(LcdGeometry, ScreenByInstrumentTypeAndChoice)
{
    const struct {
        int type;
        int screen;
        uint32_t base;
        uint32_t stride;
    } cases[] = {
        {0, 0, 0x40000, 1536},  {4, 2, 0x40000, 1536},  {13, 1, 0x40000, 1536},
        {14, 1, 0x40168, 2160}, {14, 2, 0x6A468, 2160}, {14, 3, 0x948D0, 2160},
        {14, 0, 0x40000, 1536}, // nothing chosen
    };
    for (const auto& c : cases) {
        const qv::ScreenSource source = qv::ScreenSourceFor(c.type, c.screen);
        EXPECT_EQ(source.base, c.base) << c.type << "/" << c.screen;
        EXPECT_EQ(source.stride, c.stride) << c.type << "/" << c.screen;
    }
}

TEST(LcdGeometry, TheWholeScreenIs81ColumnsOf12Blocks)
{
    const auto plan = qv::PlanUpload(qv::kWholeScreen, 1536);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->reads.size(), 81u);
    for (size_t g = 0; g < plan->reads.size(); ++g)
        EXPECT_EQ(plan->reads[g], (ColumnRead{uint32_t(g) * 1536, 12})) << g;
}

TEST(LcdGeometry, TheMenuAreaIsOneBlockAColumn)
{
    const auto plan = qv::PlanUpload(qv::kMenuArea, 1536);
    ASSERT_TRUE(plan);
    EXPECT_EQ(qv::kMenuArea.height(), 30);
    EXPECT_EQ(plan->blocksPerColumn, 1);
    EXPECT_EQ(plan->startOffset, 1347u);
    ASSERT_EQ(plan->reads.size(), 81u);
    for (size_t g = 0; g < plan->reads.size(); ++g)
        EXPECT_EQ(plan->reads[g], (ColumnRead{1347 + uint32_t(g) * 1536, 1})) << g;
}

TEST(LcdGeometry, ARectangleReadsTheColumnsAndRowsCoveringIt)
{
    const struct {
        LcdRect rect;
        uint32_t stride;
        int firstGroup;
        int groups;
        int blocks;
    } cases[] = {
        {{9, 0, 20, 10}, 1536, 1, 3, 1},     // groups 1, 2 and 3
        {{0, 100, 8, 101}, 1536, 0, 2, 1},
        {{8, 0, 16, 480}, 1536, 0, 2, 12},   // a group boundary starts one group early
        {{639, 479, 640, 480}, 2160, 79, 2, 1}, // the far corner of the larger stride
        {{300, 200, 340, 243}, 2160, 37, 6, 2},
    };
    for (const auto& c : cases) {
        const auto plan = qv::PlanUpload(c.rect, c.stride);
        ASSERT_TRUE(plan) << c.rect.left << "," << c.rect.top;
        EXPECT_EQ(plan->firstGroup, c.firstGroup) << c.rect.left;
        ASSERT_EQ(int(plan->reads.size()), c.groups) << c.rect.left;
        EXPECT_EQ(plan->blocksPerColumn, c.blocks) << c.rect.left;
        const uint32_t first = uint32_t(c.firstGroup) * c.stride + 3 * uint32_t(c.rect.top);
        for (int g = 0; g < c.groups; ++g)
            EXPECT_EQ(plan->reads[size_t(g)].offset, first + uint32_t(g) * c.stride) << c.rect.left << " " << g;
        // Every pixel of the rectangle lies in what is read.
        const auto& last = plan->reads.back();
        EXPECT_LE(c.rect.right, (c.firstGroup + c.groups) * 8) << c.rect.left;
        EXPECT_GE(uint32_t(c.blocks) * 128, 3u * uint32_t(c.rect.height())) << c.rect.left;
        EXPECT_LE(last.offset + uint32_t(last.blocks) * 128, qv::kVideoBufferSize) << c.rect.left;
    }
}

TEST(LcdGeometry, NothingIsReadForARectangleOffTheScreenOrEmpty)
{
    const LcdRect cases[] = {
        {-8, 0, 100, 100}, {0, -1, 100, 100}, {0, 0, 648, 100}, {0, 0, 100, 481},
        {700, 0, 720, 10}, {50, 50, 50, 60}, {50, 50, 60, 50}, {60, 50, 50, 60},
    };
    for (const LcdRect& rect : cases) {
        EXPECT_FALSE(qv::OnScreen(rect)) << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom;
        EXPECT_FALSE(qv::PlanUpload(rect, 1536)) << rect.left << "," << rect.top;
    }
    EXPECT_TRUE(qv::OnScreen({0, 0, 640, 480}));
}

} // namespace
