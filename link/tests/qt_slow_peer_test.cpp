// Both link variants through the real serial port adapter, against an
// instrument on a pseudo-terminal that takes its bytes slowly, as real peers
// do: every byte written must reach it, also when a clear follows at once.
#include "link/matrix_link.h"
#include "link/update_channel.h"
#include "link/update_link.h"
#include "platform/host/clock.h"
#include "platform/host/scripted_prompter.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/tests/qt_test_app.h"
#include "sim/app/pty_server.h"
#include "sim/instrument.h"
#include "sim/simulated_wire.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <thread>
#include <vector>

namespace {

constexpr uint32_t kAddress = 0x1000;

// The simulated instrument behind a pseudo-terminal that it reads one byte
// every few milliseconds, served on a thread of its own.
class SlowPeer {
public:
    static constexpr int kReadPaceUs = 3000;

    SlowPeer()
    {
        std::string error;
        server_.setReadPaceUs(kReadPaceUs);
        if (server_.open(error))
            thread_ = std::thread([this] { server_.serve(wire_, stop_); });
    }
    ~SlowPeer() { finish(); }

    const std::string& device() const { return server_.devicePath(); }
    // Stops serving; the instrument may be looked at afterwards.
    const qv::sim::Instrument& finish()
    {
        stop_ = 1;
        if (thread_.joinable())
            thread_.join();
        return instrument_;
    }

private:
    qv::SteadyClock clock_;
    qv::sim::Instrument instrument_;
    qv::sim::SimulatedWire wire_{instrument_, clock_};
    qv::sim::PtyServer server_;
    volatile std::sig_atomic_t stop_ = 0;
    std::thread thread_;
};

// The acknowledgement of the last thing written: it comes once the peer has
// taken every byte before it. The link may have given up waiting by then.
bool AwaitAcknowledgement(qv::SerialPort& port, std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents();
        uint8_t reply = 0;
        if (port.read(&reply, 1) == 1)
            return reply == 0x05;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

std::vector<uint8_t> Pattern()
{
    std::vector<uint8_t> block(128);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = uint8_t(i * 37 + 11);
    return block;
}

struct Host {
    qv::SteadyClock clock;
    qv::QtEventPump pump;
    qv::ScriptedPrompter prompter;
    qv::QtSerialPort port;
    qv::HostServices services() { return {clock, pump, prompter}; }
};

// QV-Update's link on the host's port, its address set and blocks allowed.
bool PrepareUpdateWrite(qv::UpdateLink& link)
{
    uint8_t flag = 0;
    if (link.ReadProtectFlag(flag) && flag == 0)
        link.ToggleProtectFlag();
    return link.SetAddress(kAddress);
}

} // namespace

TEST(SlowPeer, ReceivesEveryByteOfBlockWritesAndARestart)
{
    const std::vector<uint8_t> block = Pattern();
    struct Case {
        const char* what;
        // Runs on the host; false when a step the case relies on failed.
        std::function<bool(Host&)> write;
        std::function<bool(const qv::sim::Instrument&)> took;
    } cases[] = {
        {"QV-Update block write",
         [&](Host& h) {
             qv::UpdateChannel channel(h.port, h.services());
             qv::UpdateLink link(channel);
             if (!PrepareUpdateWrite(link))
                 return false;
             return link.WriteBlock(block.size(), block.data()) || AwaitAcknowledgement(h.port);
         },
         [&](const qv::sim::Instrument& i) { return i.peek(kAddress, block.size()) == block; }},
        {"QV-Matrix block write",
         [&](Host& h) {
             qv::MatrixChannel channel(h.port, h.services());
             qv::InstrumentRecord record;
             qv::MatrixLink link(channel, record);
             if (!link.WriteBDMAaddr(kAddress))
                 return false;
             auto flag = link.ReadProtectFlag();
             if (flag.ok && flag.reply == 0)
                 link.ToggleProtectFlag();
             if (link.WriteBDMA(block.size(), block.data()))
                 return true;
             channel.binaryMode = true; // the late reply is no text
             return AwaitAcknowledgement(h.port);
         },
         [&](const qv::sim::Instrument& i) { return i.peek(kAddress, block.size()) == block; }},
        {"QV-Update restart, then the clear every exchange starts with",
         [&](Host& h) {
             qv::UpdateChannel channel(h.port, h.services());
             qv::UpdateLink link(channel);
             const bool sent = link.Restart();
             channel.ClearRx();
             // The clear may have taken an early acknowledgement: give the
             // peer its time instead.
             AwaitAcknowledgement(h.port, std::chrono::milliseconds(300));
             return sent;
         },
         [](const qv::sim::Instrument& i) { return i.restartCount() == 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SlowPeer peer;
        ASSERT_FALSE(peer.device().empty());
        Host host;
        ASSERT_TRUE(host.port.open(peer.device())) << host.port.errorText();
        EXPECT_TRUE(c.write(host));
        EXPECT_TRUE(c.took(peer.finish()));
    }
}
