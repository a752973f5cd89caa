#pragma once

// A simulated instrument on virtual time for the transfer benchmarks, and
// the report line: elapsed time against the wire-time bound (every byte on
// the line costs 10 bit-times).
#include "sim/virtual_instrument.h"

#include <chrono>
#include <cstdio>
#include <functional>

namespace bench {

constexpr int kBaud = 9600;

struct SimBench : qv::sim::VirtualInstrument {
    explicit SimBench(qv::sim::InstrumentOptions options = {}) : VirtualInstrument(options, kBaud) { port.open("SIM"); }
};

inline double RealMs(const std::function<void()>& work)
{
    auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// One run of work on a simulated instrument: virtual time, bytes on the wire.
struct Measurement {
    bool ok = false;
    double elapsedMs = 0;
    uint64_t bytes = 0;
    double realMs = 0;
};

inline Measurement Run(qv::sim::VirtualInstrument& b, const std::function<bool()>& work)
{
    Measurement m;
    const int64_t startUs = b.clock.nowUs();
    const uint64_t startBytes = b.wire.bytesToInstrument() + b.wire.bytesToHost();
    m.realMs = RealMs([&] { m.ok = work(); });
    m.bytes = b.wire.bytesToInstrument() + b.wire.bytesToHost() - startBytes;
    m.elapsedMs = double(b.clock.nowUs() - startUs) / 1000.0;
    return m;
}

// One line: elapsed time against the wire-time bound at baud. Fixed pauses
// of the protocol (not line time) can be left out of the elapsed time.
inline void Report(const char* name, const Measurement& m, int baud, double pausesMs = 0)
{
    const double boundMs = double(m.bytes) * 10.0 * 1000.0 / baud;
    const double elapsedMs = m.elapsedMs - pausesMs;
    std::printf("%-34s %s  elapsed %9.1f ms  wire bytes %6llu  bound %9.1f ms  ratio %.3f  (real %.0f ms)\n", name,
                m.ok ? "ok  " : "FAIL", elapsedMs, static_cast<unsigned long long>(m.bytes), boundMs,
                boundMs > 0 ? elapsedMs / boundMs : 0.0, m.realMs);
}

// Runs work on the bench and prints one line about it.
inline void Measure(const char* name, SimBench& b, const std::function<bool()>& work)
{
    Report(name, Run(b, work), kBaud);
}

} // namespace bench
