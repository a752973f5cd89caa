#pragma once

#include "sim/instrument.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv::sim::test {

using Bytes = std::vector<uint8_t>;

inline Bytes textBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
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

inline Bytes withChecksum(Bytes data)
{
    uint8_t sum = 0;
    for (uint8_t b : data)
        sum = uint8_t(sum + b);
    data.push_back(uint8_t(~sum));
    return data;
}

} // namespace qv::sim::test
