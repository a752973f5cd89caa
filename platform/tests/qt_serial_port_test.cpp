#include "platform/qt/qt_serial_port.h"

#include "pseudo_terminal.h"
#include "qt_test_app.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace qv {
namespace {

using test::PseudoTerminal;

// Polls without running the event loop, as the protocol's byte waits do.
bool pollUntil(const std::function<bool()>& done, int timeoutMs = 2000)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 2000)
{
    return pollUntil([&] {
        QCoreApplication::processEvents();
        return done();
    }, timeoutMs);
}

class QtSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.valid());
    }

    PseudoTerminal pty;
    QtSerialPort port;
};

// A pseudo-terminal has no DTR or RTS; opening must still succeed.
TEST_F(QtSerialPortTest, OpensADevicePathAndMovesBytesBothWays)
{
    ASSERT_TRUE(port.open(pty.path())) << port.errorText();
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portName(), pty.path());
    EXPECT_EQ(port.errorText(), "");

    const std::vector<uint8_t> toDevice{0xA6, 0x6D, 0x00, 0x0D, 0x0A, 0xFF};
    EXPECT_TRUE(port.write(toDevice.data(), toDevice.size()));
    EXPECT_EQ(pty.receive(toDevice.size()), toDevice);

    ASSERT_TRUE(pty.send({0x05, 0x11, 0x0D}));
    ASSERT_TRUE(pollUntil([&] { return port.inputCount() == 3; }));
    uint8_t buffer[8] = {};
    EXPECT_EQ(port.read(buffer, 2), 2);
    EXPECT_EQ(buffer[0], 0x05);
    EXPECT_EQ(buffer[1], 0x11);
    EXPECT_EQ(port.readText(8), "\r");
    EXPECT_EQ(port.read(buffer, 8), 0);

    ASSERT_TRUE(pty.send({1, 2, 3}));
    ASSERT_TRUE(pollUntil([&] { return port.inputCount() == 3; }));
    port.clearInput();
    EXPECT_EQ(port.inputCount(), 0);

    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.writeByte(0x05));
}

TEST_F(QtSerialPortTest, NotifiesFromTheEventLoopOnly)
{
    std::vector<int> counts;
    port.setReceiveHandler([&](int count) { counts.push_back(count); });
    ASSERT_TRUE(port.open(pty.path())) << port.errorText();

    ASSERT_TRUE(pty.send({'A', 'B'}));
    ASSERT_TRUE(pumpUntil([&] { return !counts.empty(); }));
    EXPECT_EQ(counts, std::vector<int>{2});
    EXPECT_EQ(port.readText(2), "AB");

    // Bytes picked up by a count outside the loop are announced by the loop.
    counts.clear();
    ASSERT_TRUE(pty.send({'C', 'D', 'E'}));
    ASSERT_TRUE(pollUntil([&] { return port.inputCount() == 3; }));
    EXPECT_TRUE(counts.empty());
    ASSERT_TRUE(pumpUntil([&] { return !counts.empty(); }));
    EXPECT_EQ(counts, std::vector<int>{3});
}

// A peer that answers at line speed while the program both waits on
// notifications and counts from its own event handlers (a deferred reload,
// a timer): a count can take bytes whose notification is already on its
// way, or that arrive while a handler runs. Every byte must still be
// announced, and a read notification that finds nothing is no unplugged port.
TEST_F(QtSerialPortTest, EveryByteOfATricklingPeerIsAnnounced)
{
    std::string text;
    for (int k = 1; k <= 30; ++k)
        text += ".AA" + std::to_string(k) + "," + std::to_string(k) + "*\r\n";
    std::string received;
    port.setReceiveHandler([&](int count) {
        // As the line assembly does: take what was announced, then count,
        // as a wait started from the handler would.
        received += port.readText(count);
        port.inputCount();
    });
    ASSERT_TRUE(port.open(pty.path())) << port.errorText();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] { port.inputCount(); });
    poll.start(0);

    std::thread peer([&] {
        for (char c : text) {
            pty.send({uint8_t(c)});
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    pumpUntil([&] { return received.size() >= text.size() || !port.isOpen(); }, 20000);
    peer.join();
    EXPECT_TRUE(port.isOpen()) << port.errorText();
    EXPECT_EQ(received, text);
}

TEST_F(QtSerialPortTest, MissingDeviceFailsWithItsReason)
{
    struct Case {
        const char* name;
        const char* device;
    };
    for (auto c : {Case{"/dev/qv-no-such-port", "/dev/qv-no-such-port"}, Case{"COM200", "/dev/ttyS199"},
                   Case{"qvNoSuch7", "/dev/qvNoSuch7"}}) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(port.open(c.name));
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(port.portName(), c.name);
        EXPECT_NE(port.errorText().find(c.device), std::string::npos) << port.errorText();
        EXPECT_EQ(port.openFailure(), SerialPort::OpenFailure::NoDevice);
        EXPECT_FALSE(port.writeByte(0xA6));
        EXPECT_EQ(port.inputCount(), 0);
    }
    ASSERT_TRUE(port.open(pty.path()));
    EXPECT_EQ(port.errorText(), "");
}

// Another program holding the port is told apart from a missing one.
TEST_F(QtSerialPortTest, APortHeldElsewhereIsBusy)
{
    QtSerialPort holder;
    ASSERT_TRUE(holder.open(pty.path())) << holder.errorText();
    EXPECT_FALSE(port.open(pty.path()));
    EXPECT_EQ(port.openFailure(), SerialPort::OpenFailure::Busy) << port.errorText();

    holder.close();
    ASSERT_TRUE(port.open(pty.path())) << port.errorText();
    EXPECT_EQ(port.openFailure(), SerialPort::OpenFailure::None);
}

TEST_F(QtSerialPortTest, RateChangesOnlyWhileClosed)
{
    EXPECT_TRUE(port.setBaudRate(115200));
    ASSERT_TRUE(port.open(pty.path()));
    EXPECT_EQ(port.baudRate(), 115200);
    EXPECT_FALSE(port.setBaudRate(9600));
    EXPECT_EQ(port.baudRate(), 115200);
    port.close();
    EXPECT_TRUE(port.setBaudRate(9600));
    EXPECT_EQ(port.baudRate(), 9600);
}

TEST_F(QtSerialPortTest, HungUpDeviceIsGone)
{
    ASSERT_TRUE(port.open(pty.path()));
    pty.hangUp();
    EXPECT_TRUE(pumpUntil([&] {
        port.inputCount();
        return !port.isOpen();
    }));
    EXPECT_NE(port.errorText().find("is gone"), std::string::npos) << port.errorText();
    EXPECT_FALSE(port.writeByte(0xA6));
    EXPECT_EQ(port.inputCount(), 0);
}

} // namespace
} // namespace qv
