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

// Runs work on the bench and prints one line about it.
inline void Measure(const char* name, SimBench& b, const std::function<bool()>& work)
{
    const int64_t startUs = b.clock.nowUs();
    const uint64_t startBytes = b.wire.bytesToInstrument() + b.wire.bytesToHost();
    bool ok = false;
    const double real = RealMs([&] { ok = work(); });
    const uint64_t bytes = b.wire.bytesToInstrument() + b.wire.bytesToHost() - startBytes;
    const double boundMs = double(bytes) * 10.0 * 1000.0 / kBaud;
    const double elapsedMs = double(b.clock.nowUs() - startUs) / 1000.0;
    std::printf("%-34s %s  elapsed %9.1f ms  wire bytes %6llu  bound %9.1f ms  ratio %.3f  (real %.0f ms)\n", name,
                ok ? "ok  " : "FAIL", elapsedMs, static_cast<unsigned long long>(bytes), boundMs,
                boundMs > 0 ? elapsedMs / boundMs : 0.0, real);
}

} // namespace bench
