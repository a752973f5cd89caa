#include "options/debug_mode.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DebugMode, StartsOffAndTellsEveryWatcherOfEachChangeOnly)
{
    qv::DebugMode mode;
    EXPECT_FALSE(mode.on());
    std::vector<bool> first, second;
    mode.watch([&](bool on) { first.push_back(on); });
    mode.watch([&](bool on) { second.push_back(on); });

    mode.set(false); // no change
    mode.set(true);
    mode.set(true);
    mode.set(false);
    EXPECT_FALSE(mode.on());
    EXPECT_EQ(first, (std::vector<bool>{true, false}));
    EXPECT_EQ(second, first);
}

} // namespace
