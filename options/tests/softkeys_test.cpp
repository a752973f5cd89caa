// The softkeys against the simulated instrument on virtual time.
#include "link/matrix_channel.h"
#include "link/matrix_link.h"
#include "options/softkeys.h"
#include "sim/virtual_instrument.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct SoftkeysTest : ::testing::Test {
    sim::VirtualInstrument sim;
    MatrixChannel channel{sim.port, {sim.clock, sim.pump, sim.prompter}};
    InstrumentRecord record;
    MatrixLink link{channel, record};
    bool serial = true;
    Softkeys keys{[this]() -> Softkeys::PressKey {
                      if (!serial)
                          return {};
                      return [this](uint8_t key) { return link.PressKey(key); };
                  },
                  sim.clock, sim.prompter};

    void SetUp() override { ASSERT_TRUE(channel.OpenPort()); }
};

TEST_F(SoftkeysTest, AClickHoldsForTheKeysTimeAFunctionKeyDoesNot)
{
    const struct {
        int key;
        bool click;
        int64_t atLeastMs, belowMs;
    } cases[] = {
        {3, false, 0, 500}, {3, true, 2000, 2500}, {4, true, 2000, 2500}, {5, true, 1000, 1500}, {8, false, 0, 500},
    };
    std::vector<int> expected;
    for (const auto& c : cases) {
        const int64_t start = sim.clock.nowMs();
        EXPECT_TRUE(c.click ? keys.click(c.key) : keys.press(c.key)) << c.key;
        const int64_t took = sim.clock.nowMs() - start;
        EXPECT_GE(took, c.atLeastMs) << c.key;
        EXPECT_LT(took, c.belowMs) << c.key;
        expected.push_back(c.key);
    }
    EXPECT_EQ(sim.instrument.keysPressed(), expected);
    EXPECT_TRUE(sim.prompter.shown().empty());
}

TEST_F(SoftkeysTest, AKeyNotTakenHoldsNothingAndNoPortIsSaid)
{
    sim.instrument.options().noAnswer = true;
    const int64_t start = sim.clock.nowMs();
    EXPECT_FALSE(keys.click(1));
    EXPECT_LT(sim.clock.nowMs() - start, 10000) << "no hold after a key that was not pressed";
    EXPECT_TRUE(sim.instrument.keysPressed().empty());

    sim.prompter.clearShown();
    serial = false;
    EXPECT_FALSE(keys.press(2));
    EXPECT_EQ(sim.prompter.texts(), std::vector<std::string>{"No RVT connected."});
    EXPECT_FALSE(keys.press(9)) << "eight keys";
}

} // namespace
} // namespace qv
