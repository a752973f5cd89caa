// Embedded items as the lines QV-Update sends to the I/O module.
#include "updater/resource_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines Split(const std::string& text)
{
    return qv::SplitResourceLines({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

TEST(ResourceLines, LineFeedsStayWithTheirLines)
{
    EXPECT_EQ(Split(":00000001FF\r\n"), (Lines{":00000001FF\r\n"}));
    EXPECT_EQ(Split("a\r\nb\nc"), (Lines{"a\r\n", "b\n", "c"})) << "the last line needs no line feed";
    EXPECT_EQ(Split("a\rb\n"), (Lines{"a\rb\n"})) << "a carriage return alone ends no line";
    EXPECT_EQ(Split("\n\n"), (Lines{"\n", "\n"}));
    EXPECT_TRUE(Split("").empty());
}

TEST(ResourceLines, TheProgramCarriesBothLoaderStages)
{
    for (const auto& [name, count] : {std::pair{"FPGA_PRG", size_t(1402)}, std::pair{"FPGA_PRG14", size_t(1380)}}) {
        SCOPED_TRACE(name);
        const Lines lines = qv::LoadResourceLines(name);
        ASSERT_EQ(lines.size(), count);
        EXPECT_EQ(lines.back(), ":00000001FF\r\n");
    }
    EXPECT_TRUE(qv::LoadResourceLines("FPGA_PRG15").empty());
}

} // namespace
