// Reads the 16 KiB configuration area (128 blocks from 0x1C000) through each
// program's link variant from the simulated instrument on virtual time at
// 9600 baud, and compares the elapsed time with the wire-time bound: every
// byte on the line costs 10 bit-times.
#include "link/matrix_link.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/wire_protocol.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"
#include "sim/simulated_serial_port.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr uint32_t kStart = 0x1C000;
constexpr int kBlocks = 128;
constexpr int kBaud = 9600;

struct Bench {
    qv::VirtualClock clock;
    qv::CallbackEventPump pump;
    qv::ScriptedPrompter prompter;
    qv::sim::Instrument instrument;
    qv::sim::SimulatedWire wire{instrument, clock};
    qv::sim::SimulatedSerialPort port{wire, clock};

    Bench()
    {
        wire.setBaudRate(kBaud);
        pump.add([this] { port.deliverNotifications(); });
        port.open("SIM");
    }
};

void Report(const char* variant, Bench& b, bool ok, const std::vector<uint8_t>& data, double realMs)
{
    const bool exact = ok && data == b.instrument.peek(kStart, data.size());
    const uint64_t bytes = b.wire.bytesToInstrument() + b.wire.bytesToHost();
    const double boundMs = double(bytes) * 10.0 * 1000.0 / kBaud;
    const double elapsedMs = double(b.clock.nowUs()) / 1000.0;
    std::printf("%-8s %s  elapsed %9.1f ms  wire bytes %6llu  bound %9.1f ms  ratio %.3f  (real %.1f ms)\n", variant,
                exact ? "ok  " : "FAIL", elapsedMs, static_cast<unsigned long long>(bytes), boundMs,
                elapsedMs / boundMs, realMs);
}

double RealMs(const std::function<void()>& work)
{
    auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void MatrixVariant()
{
    Bench b;
    qv::MatrixChannel channel(b.port, {b.clock, b.pump, b.prompter});
    channel.init().selectPort("SIM");
    channel.OpenPort();
    qv::InstrumentRecord record;
    qv::MatrixLink link(channel, record);
    std::vector<uint8_t> data(size_t(kBlocks) * 128);
    bool ok = true;
    double real = RealMs([&] {
        for (int k = 0; k < kBlocks && ok; ++k) {
            uint32_t at = kStart + uint32_t(k) * 128;
            ok = link.WriteBDMAaddr(at) && link.ReadBDMA(qv::wire::kCmdReadBlock, 128, data.data() + size_t(k) * 128);
        }
    });
    Report("matrix", b, ok, data, real);
}

void UpdateVariant()
{
    Bench b;
    qv::UpdateChannel channel(b.port, {b.clock, b.pump, b.prompter});
    qv::UpdateLink link(channel);
    qv::UpdateTransfer transfer(link);
    std::vector<uint8_t> data(size_t(kBlocks) * 128);
    bool ok = false;
    double real = RealMs([&] { ok = transfer.ReadBlocks(kStart, kBlocks, data.data()); });
    Report("update", b, ok, data, real);
}

} // namespace

int main()
{
    std::printf("128 blocks from 0x%05X at %d baud, simulated instrument, virtual time\n", kStart, kBaud);
    MatrixVariant();
    UpdateVariant();
    return 0;
}
