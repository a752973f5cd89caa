#include "platform/qt/port_list.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Names = std::vector<std::string>;

TEST(OfferedPortNames, SystemPortsThenExtraDevicesThenSimulator)
{
    struct Case {
        Names system;
        Names extra;
        bool simulator;
        Names offered;
    };
    const Case cases[] = {
        {{"ttyS0", "ttyUSB0"}, {}, false, {"ttyS0", "ttyUSB0"}},
        {{"ttyS0"}, {"/tmp/qv-sim", "/dev/pts/4"}, false, {"ttyS0", "/tmp/qv-sim", "/dev/pts/4"}},
        // A device the system lists already, under any of its names, is not repeated.
        {{"ttyS0", "ttyUSB0"}, {"/dev/ttyUSB0", "COM1", "/tmp/a", "/tmp/a"}, false, {"ttyS0", "ttyUSB0", "/tmp/a"}},
        {{}, {}, true, {"SIM"}},
        {{"ttyS0"}, {"/tmp/qv-sim"}, true, {"ttyS0", "/tmp/qv-sim", "SIM"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(offeredPortNames(c.system, c.extra, c.simulator), c.offered);
}

TEST(SortPortNames, NumbersCountByValue)
{
    Names names{"ttyUSB0", "ttyS10", "ttyS2", "ttyACM0", "ttyS0", "ttyUSB10", "ttyUSB9"};
    sortPortNames(names);
    EXPECT_EQ(names, (Names{"ttyACM0", "ttyS0", "ttyS2", "ttyS10", "ttyUSB0", "ttyUSB9", "ttyUSB10"}));
}

} // namespace
} // namespace qv
