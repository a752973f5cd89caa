// QV-Update's port list: the host's ports by the number in their names.
#include "updater/update_port_list.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

TEST(UpdatePortList, OrdersByTheNumberInTheName)
{
    const std::string longPath = "/dev/serial/by-id/usb-Adapter_123456789012345678901-if00-port0";
    struct Case {
        const char* name;
        Names host;
        Names ordered;
    } cases[] = {
        {"none", {}, {}},
        {"numbered names", {"COM10", "COM3", "COM1"}, {"COM1", "COM3", "COM10"}},
        {"by number, not by text", {"ttyS10", "ttyS2", "ttyS9"}, {"ttyS2", "ttyS9", "ttyS10"}},
        {"equal numbers keep the host's order", {"ttyUSB0", "ttyS1", "ttyS0", "ttyACM0"},
         {"ttyUSB0", "ttyS0", "ttyACM0", "ttyS1"}},
        {"all digits count", {"ttyUSB12", "ttyS3", "tty1S2"}, {"ttyS3", "ttyUSB12", "tty1S2"}},
        {"no digits count as 0", {"ttyS1", "pts"}, {"pts", "ttyS1"}},
        {"a number too long for an integer", {longPath, "ttyS5"}, {"ttyS5", longPath}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::OrderPortsByNumber(c.host), c.ordered) << c.name;
}

TEST(UpdatePortList, DevicesFromTheCommandLineFollowTheHostPorts)
{
    // COM2 and /dev/ttyS1 name the listed ttyS1; there is no driver entry.
    EXPECT_EQ(qv::UpdatePortList({"ttyUSB0", "ttyS1"}, {"/dev/pts/4", "COM2", "/dev/ttyS1"}, false),
              (Names{"ttyUSB0", "ttyS1", "/dev/pts/4"}));
    EXPECT_EQ(qv::UpdatePortList({"ttyS1"}, {}, true), (Names{"ttyS1", "SIM"}));
    EXPECT_EQ(qv::UpdatePortList({}, {}, false), Names{});
}

TEST(UpdatePortList, FirstSelectedIsThePortTheCommandLineAdded)
{
    struct Case {
        const char* name;
        Names host;
        Names extra;
        bool simulator;
        int index;
    } cases[] = {
        {"host ports only", {"ttyS0", "ttyUSB0"}, {}, false, 0},
        {"the simulator", {"ttyS0", "ttyUSB0"}, {}, true, 2},
        {"a device", {"ttyS0"}, {"/dev/pts/4"}, false, 1},
        {"a device naming a host port", {"ttyS0", "ttyS1"}, {"COM2"}, false, 1},
        {"the simulator before a device", {"ttyS0"}, {"/dev/pts/4"}, true, 2},
        {"nothing", {}, {}, false, -1},
    };
    for (const auto& c : cases) {
        const Names ports = qv::UpdatePortList(c.host, c.extra, c.simulator);
        EXPECT_EQ(qv::InitialPortIndex(ports, c.extra, c.simulator), c.index) << c.name;
    }
}

TEST(UpdatePortList, FindsATypedNameInTheList)
{
    const Names ports{"ttyS0", "ttyS2", "ttyUSB0", "/dev/pts/4"};
    struct Case {
        const char* typed;
        int index;
    } cases[] = {
        {"ttyS2", 1}, {"COM3", 1}, {"/dev/ttyS2", 1}, {"ttyusb0", 2}, {"/dev/ttyUSB0", 2},
        {"/dev/pts/4", 3}, {"ttyS7", -1}, {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::FindListedPort(ports, c.typed), c.index) << c.typed;
}

} // namespace
