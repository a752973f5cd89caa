#pragma once

#include "sim/instrument.h"
#include "sim/io_module.h"

#include <chrono>
#include <cstdint>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace qv::sim::test {

using Bytes = std::vector<uint8_t>;

inline Bytes textBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// An FPGA bitstream of n bytes whose neighbours differ.
inline Bytes Bitstream(size_t n)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = uint8_t(0xA5 ^ i);
    return b;
}

// Reads from a descriptor until stop(text so far) says enough or the time
// is up.
template <typename Stop>
std::string readFdUntil(int fd, std::chrono::milliseconds limit, Stop stop)
{
    std::string got;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!stop(got) && std::chrono::steady_clock::now() < end) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 20) > 0) {
            char buffer[256];
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n <= 0)
                break;
            got.append(buffer, size_t(n));
        }
    }
    return got;
}

// Feeds bytes straight into an instrument, one byte time (at 9600 baud)
// apart, and collects what it answers.
class InstrumentDriver {
public:
    static constexpr int64_t kByteUs = 1042;

    explicit InstrumentDriver(InstrumentOptions options = {}) : instrument(options) {}

    Bytes send(const Bytes& bytes)
    {
        Bytes out;
        for (uint8_t b : bytes) {
            instrument.receive(b, timeUs, out);
            timeUs += kByteUs;
        }
        return out;
    }
    Bytes send(const std::string& text) { return send(textBytes(text)); }
    void pauseMs(int ms) { timeUs += int64_t(ms) * 1000; }

    Bytes wakeUp() { return send(Bytes{0xA6, 0x6D}); }
    Bytes setAddress(uint32_t a) { return send(Bytes{0x00, uint8_t(a), uint8_t((a >> 8) & 0x3F), uint8_t(a >> 14)}); }
    Bytes readBlock(uint8_t count) { return send(Bytes{0x11, count}); }

    Instrument instrument;
    int64_t timeUs = 0;
};

// Feeds bytes to an I/O module in front of an instrument, one byte time (at
// 9600 baud) apart.
struct ModuleDriver {
    explicit ModuleDriver(IoModuleOptions options = {}) : module(instrument, options) {}

    Bytes send(const Bytes& bytes)
    {
        Bytes out;
        for (uint8_t b : bytes) {
            module.receive(b, timeUs, out);
            timeUs += InstrumentDriver::kByteUs;
        }
        return out;
    }
    std::string send(const std::string& text)
    {
        const Bytes out = send(textBytes(text));
        return std::string(out.begin(), out.end());
    }
    void pauseMs(int ms) { timeUs += int64_t(ms) * 1000; }

    Instrument instrument;
    IoModule module;
    int64_t timeUs = 0;
};

inline Bytes withChecksum(Bytes data)
{
    uint8_t sum = 0;
    for (uint8_t b : data)
        sum = uint8_t(sum + b);
    data.push_back(uint8_t(~sum));
    return data;
}

} // namespace qv::sim::test
