#include "platform/host/pc_facts.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(PcFacts, MemInfoTakesTotalAndAvailableElseFree)
{
    const MemoryFigures figures = ParseMemInfo("MemTotal:       16318404 kB\n"
                                               "MemFree:         1021344 kB\n"
                                               "MemAvailable:    9876543 kB\n"
                                               "Buffers:          123456 kB\n");
    EXPECT_EQ(figures.totalKb, 16318404);
    EXPECT_EQ(figures.availableKb, 9876543);

    const MemoryFigures old = ParseMemInfo("MemTotal: 2048 kB\nMemFree: 512 kB\n");
    EXPECT_EQ(old.availableKb, 512);
    const MemoryFigures none = ParseMemInfo("garbage\nMemTotal: x kB\n");
    EXPECT_FALSE(none.totalKb);
    EXPECT_FALSE(none.availableKb);
}

TEST(PcFacts, UptimeCpuClockAndRelease)
{
    EXPECT_EQ(ParseUptime("350735.47 234388.90\n"), 350735);
    EXPECT_FALSE(ParseUptime(""));
    EXPECT_EQ(ParseCpuMhz("processor\t: 0\nmodel name\t: Some CPU\ncpu MHz\t\t: 2394.374\n"
                          "processor\t: 1\ncpu MHz\t\t: 1200.000\n"),
              2394.374);
    EXPECT_FALSE(ParseCpuMhz("processor\t: 0\nBogoMIPS\t: 48.00\n")) << "some processors do not say";

    const struct {
        const char* release;
        int major, minor, build;
    } cases[] = {{"6.1.0-13-amd64", 6, 1, 0}, {"5.15.90.1-microsoft", 5, 15, 90}, {"6.7", 6, 7, 0}, {"", 0, 0, 0}};
    for (const auto& c : cases) {
        const ReleaseNumbers r = ParseRelease(c.release);
        EXPECT_EQ(r.major, c.major) << c.release;
        EXPECT_EQ(r.minor, c.minor) << c.release;
        EXPECT_EQ(r.build, c.build) << c.release;
    }
}

} // namespace
} // namespace qv
