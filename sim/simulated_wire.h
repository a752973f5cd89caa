#pragma once

#include "instrument.h"
#include "io_module.h"
#include "line_noise.h"
#include "platform/host/clock.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace qv::sim {

// The serial line between a host and the simulated instrument (through its
// I/O module, when it has one). Each byte
// arrives 10 bit-times after the previous one in its direction at the
// current baud rate; the instrument handles a byte when it arrives and its
// replies travel back the same way. Time comes from the Clock, so on a
// VirtualClock everything is exact and instant.
class SimulatedWire {
public:
    SimulatedWire(Instrument& instrument, const Clock& clock);

    // Host side.
    // Puts bytes on the line; returns the microseconds until the last of them
    // has been sent.
    int64_t hostWrite(const uint8_t* data, size_t n);
    // Off for a pseudo-terminal: the client's own write already took the
    // line time, so its bytes reach the instrument as they are read.
    void setHostPacing(bool paced) { hostPaced_ = paced; }
    int hostAvailable();                 // bytes that have arrived at the host by now
    int hostRead(uint8_t* buffer, int n); // takes arrived bytes only
    // Drops what has arrived; bytes still on the line come later.
    void hostClearInput();
    void setBaudRate(int baud);
    int baudRate() const { return baud_; }
    // Time until the next byte can arrive at the host, or -1 when none is in
    // flight. While host bytes are still on their way it is the earliest
    // time a reply could come, so a real-time front end may wake early but
    // never late.
    int64_t usUntilNextHostByte();
    // Host bytes that have not yet reached the instrument.
    int hostPendingOutput();
    // Line time of one byte (10 bits) at the current rate.
    double byteTimeUs() const;

    // Line statistics for benchmarks: bytes that have crossed the line so far.
    uint64_t bytesToInstrument() const { return toInstrument_; }
    uint64_t bytesToHost() const { return toHost_; }
    // Noise from now on, in place of the instrument's lineNoise option; the
    // two directions draw their faults independently.
    void setLineNoise(const LineNoise& toInstrument, const LineNoise& toHost);
    void setLineNoise(const LineNoise& noise);
    // What the line's noise did so far.
    const LineNoiseModel::Counts& noiseToInstrument() const { return noiseToInstrument_.counts(); }
    const LineNoiseModel::Counts& noiseToHost() const { return noiseToHost_.counts(); }

    Instrument& instrument() { return instrument_; }
    // The I/O module between the line and the instrument, when the
    // instrument's options ask for one; null otherwise.
    IoModule* ioModule() { return ioModule_.get(); }

    // Times on the wire are counted in ticks of 1/1440 us: a byte time is
    // then a whole number of ticks at every standard rate up to 921600 baud.
    static constexpr int64_t kTicksPerUs = 1440;

private:
    struct InFlight {
        int64_t arrives; // ticks: its last bit is received
        uint8_t byte;
    };

    int64_t nowTicks() const;
    // Lets the instrument handle every host byte due by now, in time order,
    // and moves the reply bytes due by now into the host's receive queue.
    void advance();
    // Puts replies_ on the line to the host, the first byte leaving at fromTicks at the earliest.
    void queueReplies(int64_t fromTicks);
    // What the instrument says on its own, due by untilTicks.
    void sendUnsolicited(int64_t untilTicks);

    Instrument& instrument_;
    std::unique_ptr<IoModule> ioModule_;
    const Clock& clock_;
    const int64_t originUs_;
    int baud_ = 9600;
    bool hostPaced_ = true;
    int64_t byteTicks_ = 0;
    std::deque<InFlight> toInstrumentLine_;
    std::deque<InFlight> toHostLine_;
    std::deque<uint8_t> received_;          // arrived at the host, not yet read
    int64_t instrumentLineFreeAt_ = 0;      // ticks: host-to-instrument line idle from then
    int64_t hostLineFreeAt_ = 0;            // ticks: instrument-to-host line idle from then
    std::vector<uint8_t> replies_;
    uint64_t toInstrument_ = 0;
    uint64_t toHost_ = 0;
    LineNoiseModel noiseToInstrument_;
    LineNoiseModel noiseToHost_;
};

} // namespace qv::sim
