#include "platform/qt/routed_serial_port.h"

#include "platform/qt/simulator_port.h"
#include "pseudo_terminal.h"
#include "qt_test_app.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace qv {
namespace {

// Stands in for the simulator: records what the router asks of it.
class FakePort : public SerialPort {
public:
    bool open(const std::string& name) override
    {
        opened = name;
        open_ = true;
        return true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    std::string portName() const override { return opened; }
    bool write(const uint8_t* data, size_t n) override
    {
        written.insert(written.end(), data, data + n);
        return open_;
    }
    using SerialPort::write;
    int inputCount() override { return 0; }
    int read(uint8_t*, int) override { return 0; }
    void clearInput() override {}
    bool setBaudRate(int b) override
    {
        baud = b;
        return !open_;
    }
    int baudRate() const override { return baud; }
    void arrive(int count) { notifyReceived(count); }

    std::string opened;
    std::vector<uint8_t> written;
    int baud = 9600;

private:
    bool open_ = false;
};

class RoutedSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.valid());
        port.setReceiveHandler([this](int count) { notified.push_back(count); });
    }
    FakePort& enableSimulator()
    {
        auto fake = std::make_unique<FakePort>();
        auto& ref = *fake;
        port.setSimulator(std::move(fake));
        return ref;
    }

    test::PseudoTerminal pty;
    RoutedSerialPort port;
    std::vector<int> notified;
};

TEST_F(RoutedSerialPortTest, SimNameGoesToTheSimulatorOthersToTheDevice)
{
    FakePort& sim = enableSimulator();
    ASSERT_TRUE(port.open("SIM"));
    EXPECT_TRUE(port.usingSimulator());
    EXPECT_EQ(sim.opened, "SIM");
    EXPECT_TRUE(port.writeByte(0xA6));
    EXPECT_EQ(sim.written, std::vector<uint8_t>{0xA6});

    ASSERT_TRUE(port.open(pty.path())) << port.errorText();
    EXPECT_FALSE(sim.isOpen());
    EXPECT_FALSE(port.usingSimulator());
    EXPECT_EQ(port.portName(), pty.path());
    EXPECT_TRUE(port.writeByte(0x6D));
    EXPECT_EQ(pty.receive(1), std::vector<uint8_t>{0x6D});
    EXPECT_EQ(sim.written.size(), 1u);
}

TEST_F(RoutedSerialPortTest, SimIsRefusedUnlessEnabled)
{
    EXPECT_FALSE(port.open("SIM"));
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(port.errorText().find("--simulator"), std::string::npos);
    EXPECT_EQ(port.openFailure(), SerialPort::OpenFailure::NoDevice);
    EXPECT_FALSE(port.writeByte(0xA6));

    // After a failed device open the device's own reason is reported.
    enableSimulator();
    EXPECT_FALSE(port.open("/dev/qv-no-such-port"));
    EXPECT_NE(port.errorText().find("/dev/qv-no-such-port"), std::string::npos);
    EXPECT_EQ(port.openFailure(), SerialPort::OpenFailure::NoDevice);
}

TEST_F(RoutedSerialPortTest, OnlyTheOpenTransportNotifies)
{
    FakePort& sim = enableSimulator();
    ASSERT_TRUE(port.open(pty.path()));
    sim.arrive(4);
    EXPECT_TRUE(notified.empty());

    ASSERT_TRUE(port.open("SIM"));
    sim.arrive(4);
    EXPECT_EQ(notified, std::vector<int>{4});
}

TEST_F(RoutedSerialPortTest, RateIsTakenToTheTransportAtOpen)
{
    FakePort& sim = enableSimulator();
    EXPECT_TRUE(port.setBaudRate(115200));
    ASSERT_TRUE(port.open("SIM"));
    EXPECT_EQ(sim.baud, 115200);
    EXPECT_FALSE(port.setBaudRate(9600));
    EXPECT_EQ(port.baudRate(), 115200);
}

// The in-process instrument answers a wake-up through the event loop, in
// real time, as a device would.
TEST_F(RoutedSerialPortTest, SimulatorAnswersAWakeUpThroughTheEventLoop)
{
    port.setSimulator(std::make_unique<SimulatorPort>());
    ASSERT_TRUE(port.open("SIM")) << port.errorText();
    ASSERT_TRUE(port.write(std::string_view("\xA6\x6D")));

    QElapsedTimer timer;
    timer.start();
    while (notified.empty() && timer.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    ASSERT_FALSE(notified.empty());
    EXPECT_EQ(notified.front(), 1);
    uint8_t reply = 0;
    EXPECT_EQ(port.read(&reply, 1), 1);
    EXPECT_EQ(reply, 0x05);
}

} // namespace
} // namespace qv
