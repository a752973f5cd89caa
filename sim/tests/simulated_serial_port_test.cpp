#include "sim/simulated_serial_port.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace qv::sim::test {
namespace {

class SerialPortTest : public ::testing::Test {
protected:
    SerialPortTest()
    {
        port.setReceiveHandler([this](int count) { notified.push_back(count); });
    }
    void wakeUp() { port.write("\xA6\x6D"); }
    void afterMs(int ms)
    {
        clock.sleepMs(ms);
        port.deliverNotifications();
    }

    VirtualClock clock;
    Instrument instrument;
    SimulatedWire wire{instrument, clock};
    SimulatedSerialPort port{wire, clock};
    std::vector<int> notified;
};

TEST_F(SerialPortTest, OpenFailsWhenRefusedOrUnplugged)
{
    port.setRefuseOpen(true);
    EXPECT_FALSE(port.open("/dev/ttyUSB0"));
    EXPECT_FALSE(port.errorText().empty());
    port.setRefuseOpen(false);
    EXPECT_TRUE(port.open("/dev/ttyUSB0"));
    EXPECT_EQ(port.errorText(), "");
    EXPECT_EQ(port.portName(), "/dev/ttyUSB0");
    port.close();

    port.setUnplugged(true);
    EXPECT_FALSE(port.open("SIM"));
    EXPECT_NE(port.errorText().find("gone"), std::string::npos);
}

TEST_F(SerialPortTest, AnUnpluggedPortNeitherWritesNorReads)
{
    ASSERT_TRUE(port.open("SIM"));
    wakeUp();
    clock.sleepMs(10);
    port.setUnplugged(true);
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.writeByte(0x1A));
    EXPECT_EQ(port.inputCount(), 0);
    uint8_t b = 0;
    EXPECT_EQ(port.read(&b, 1), 0);
    port.deliverNotifications();
    EXPECT_TRUE(notified.empty());
    EXPECT_NE(port.errorText().find("gone"), std::string::npos);
}

TEST_F(SerialPortTest, RateChangesOnlyWhileClosed)
{
    EXPECT_TRUE(port.setBaudRate(115200));
    EXPECT_EQ(wire.baudRate(), 115200);
    ASSERT_TRUE(port.open("SIM"));
    EXPECT_FALSE(port.setBaudRate(9600));
    EXPECT_EQ(port.baudRate(), 115200);
}

TEST_F(SerialPortTest, NotifiesWhenMoreBytesWait)
{
    ASSERT_TRUE(port.open("SIM"));
    port.write("\r.LI1,-\r");
    afterMs(0);
    EXPECT_TRUE(notified.empty()) << "the reply starts after the command has arrived";
    afterMs(10);
    ASSERT_EQ(notified.size(), 1u);
    const int first = notified[0];
    EXPECT_GT(first, 0);
    port.deliverNotifications();
    EXPECT_EQ(notified.size(), 1u) << "no new bytes, no notification";
    afterMs(5);
    ASSERT_EQ(notified.size(), 2u);
    EXPECT_GT(notified[1], first) << "the count is what waits in total";

    // After a read, fewer bytes wait than were notified; a new arrival is still news.
    uint8_t buffer[256];
    port.read(buffer, port.inputCount() - 1);
    afterMs(2);
    ASSERT_EQ(notified.size(), 3u);
    EXPECT_LE(notified[2], 3);

    // A clear empties the queue; bytes still on the line are news when they come.
    afterMs(40);
    ASSERT_EQ(notified.size(), 4u);
    port.clearInput();
    EXPECT_EQ(port.inputCount(), 0);
    afterMs(2);
    ASSERT_EQ(notified.size(), 5u);
    EXPECT_EQ(port.inputCount(), notified[4]);
}

TEST_F(SerialPortTest, AHandlerThatReadsStillHearsOfLaterBytes)
{
    // The usual receive handler reads what it is told about, inside the
    // notification; later arrivals must still be announced.
    port.setReceiveHandler([this](int count) {
        notified.push_back(count);
        std::vector<uint8_t> buffer(static_cast<size_t>(count), 0);
        port.read(buffer.data(), count);
    });
    ASSERT_TRUE(port.open("SIM"));
    port.write("\r.LI1,-\r");
    for (int i = 0; i < 20; ++i)
        afterMs(10);
    EXPECT_GT(notified.size(), 5u);
    EXPECT_EQ(port.inputCount(), 0);
}

TEST_F(SerialPortTest, BytesThatReachAClosedPortAreLost)
{
    ASSERT_TRUE(port.open("SIM"));
    wakeUp();
    port.close();
    clock.sleepMs(10);
    ASSERT_TRUE(port.open("SIM"));
    EXPECT_EQ(port.inputCount(), 0);
    port.deliverNotifications();
    EXPECT_TRUE(notified.empty());
}

} // namespace
} // namespace qv::sim::test
