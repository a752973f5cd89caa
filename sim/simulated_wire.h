#pragma once

#include "instrument.h"
#include "platform/host/clock.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace qv::sim {

// The serial line between a host and the simulated instrument. Each byte
// arrives 10 bit-times after the previous one in its direction at the
// current baud rate; the instrument handles a byte when it arrives and its
// replies travel back the same way. Time comes from the Clock, so on a
// VirtualClock everything is exact and instant.
class SimulatedWire {
public:
    SimulatedWire(Instrument& instrument, const Clock& clock);

    // Host side.
    void hostWrite(const uint8_t* data, size_t n);
    int hostAvailable();                 // bytes that have arrived at the host by now
    int hostRead(uint8_t* buffer, int n); // takes arrived bytes only
    void hostClear(bool input, bool output);
    void setBaudRate(int baud);
    int baudRate() const { return baud_; }
    // Time until the next byte arrives at the host, or -1 when none is in flight.
    int64_t usUntilNextHostByte();

    // Line statistics for benchmarks.
    uint64_t bytesToInstrument() const { return toInstrument_; }
    uint64_t bytesToHost() const { return toHost_; }

    Instrument& instrument() { return instrument_; }

private:
    // Implementation state: the helper that writes simulated_wire.cpp owns it.
    void advance();
    Instrument& instrument_;
    const Clock& clock_;
    int baud_ = 9600;
    uint64_t toInstrument_ = 0;
    uint64_t toHost_ = 0;
};

} // namespace qv::sim
