#include "simulated_wire.h"

#include <algorithm>

namespace qv::sim {

namespace {

constexpr int64_t kBitsPerByte = 10; // start bit, 8 data bits, stop bit

// The same noise, other faults.
LineNoise OtherDirection(LineNoise noise)
{
    noise.seed ^= 0x9E3779B9u;
    return noise;
}

} // namespace

SimulatedWire::SimulatedWire(Instrument& instrument, const Clock& clock)
    : instrument_(instrument), clock_(clock), originUs_(clock.nowUs()),
      noiseToInstrument_(instrument.options().lineNoise), noiseToHost_(OtherDirection(instrument.options().lineNoise))
{
    if (instrument.options().ioModule.present)
        ioModule_ = std::make_unique<IoModule>(instrument, instrument.options().ioModule);
    setBaudRate(baud_);
}

int64_t SimulatedWire::nowTicks() const
{
    return (clock_.nowUs() - originUs_) * kTicksPerUs;
}

void SimulatedWire::setBaudRate(int baud)
{
    if (baud <= 0)
        return;
    baud_ = baud;
    const int64_t ticksPerByte = kBitsPerByte * 1'000'000 * kTicksPerUs;
    byteTicks_ = (ticksPerByte + baud / 2) / baud;
}

void SimulatedWire::setLineNoise(const LineNoise& toInstrument, const LineNoise& toHost)
{
    noiseToInstrument_ = LineNoiseModel(toInstrument);
    noiseToHost_ = LineNoiseModel(toHost);
}

void SimulatedWire::setLineNoise(const LineNoise& noise)
{
    setLineNoise(noise, OtherDirection(noise));
}

double SimulatedWire::byteTimeUs() const
{
    return double(byteTicks_) / double(kTicksPerUs);
}

void SimulatedWire::advance()
{
    const int64_t now = nowTicks();
    while (!toInstrumentLine_.empty() && toInstrumentLine_.front().arrives <= now) {
        const InFlight arrived = toInstrumentLine_.front();
        sendUnsolicited(arrived.arrives);
        toInstrumentLine_.pop_front();
        ++toInstrument_;
        replies_.clear();
        const int64_t arrivedUs = originUs_ + arrived.arrives / kTicksPerUs;
        if (ioModule_)
            ioModule_->receive(arrived.byte, arrivedUs, replies_);
        else
            instrument_.receive(arrived.byte, arrivedUs, replies_);
        // The first reply byte leaves when the cause has been received.
        queueReplies(arrived.arrives);
        // The module changes its rate after the acknowledgement has left.
        if (ioModule_)
            if (const int baud = ioModule_->takePacingChange())
                setBaudRate(baud);
    }
    sendUnsolicited(now);
    while (!toHostLine_.empty() && toHostLine_.front().arrives <= now) {
        received_.push_back(toHostLine_.front().byte);
        toHostLine_.pop_front();
        ++toHost_;
    }
}

void SimulatedWire::queueReplies(int64_t fromTicks)
{
    for (uint8_t b : replies_) {
        const auto noise = noiseToHost_.apply(b);
        const int64_t departs = std::max(fromTicks, hostLineFreeAt_) + noise.delayBytes * byteTicks_;
        hostLineFreeAt_ = departs + byteTicks_;
        // A lost byte takes its line time all the same.
        if (!noise.lost)
            toHostLine_.push_back({hostLineFreeAt_, noise.byte});
    }
}

void SimulatedWire::sendUnsolicited(int64_t untilTicks)
{
    int64_t atUs = 0;
    replies_.clear();
    while (instrument_.takeUnsolicited(originUs_ + untilTicks / kTicksPerUs, atUs, replies_)) {
        // In its command mode the I/O module passes nothing from the instrument.
        if (!ioModule_ || !ioModule_->commandMode())
            queueReplies(std::max<int64_t>(atUs - originUs_, 0) * kTicksPerUs);
        replies_.clear();
    }
}

int64_t SimulatedWire::hostWrite(const uint8_t* data, size_t n)
{
    advance();
    const int64_t now = nowTicks();
    const int64_t transit = hostPaced_ ? byteTicks_ : 0;
    for (size_t i = 0; i < n; ++i) {
        const auto noise = noiseToInstrument_.apply(data[i]);
        const int64_t departs = std::max(now, instrumentLineFreeAt_) + noise.delayBytes * byteTicks_;
        instrumentLineFreeAt_ = departs + transit;
        if (!noise.lost)
            toInstrumentLine_.push_back({instrumentLineFreeAt_, noise.byte});
    }
    const int64_t ticks = std::max<int64_t>(instrumentLineFreeAt_ - now, 0);
    return (ticks + kTicksPerUs - 1) / kTicksPerUs;
}

int SimulatedWire::hostAvailable()
{
    advance();
    return int(received_.size());
}

int SimulatedWire::hostRead(uint8_t* buffer, int n)
{
    advance();
    const int taken = std::clamp(n, 0, int(received_.size()));
    std::copy_n(received_.begin(), taken, buffer);
    received_.erase(received_.begin(), received_.begin() + taken);
    return taken;
}

void SimulatedWire::hostClearInput()
{
    advance();
    received_.clear();
}

int64_t SimulatedWire::usUntilNextHostByte()
{
    advance();
    int64_t next;
    if (!toHostLine_.empty())
        next = toHostLine_.front().arrives;
    else if (!toInstrumentLine_.empty())
        next = toInstrumentLine_.front().arrives + byteTicks_;
    else
        next = -1;
    if (const int64_t ownUs = instrument_.nextUnsolicitedUs(); ownUs >= 0) {
        const int64_t own = std::max<int64_t>(ownUs - originUs_, 0) * kTicksPerUs + byteTicks_;
        next = next < 0 ? own : std::min(next, own);
    }
    if (next < 0)
        return -1;
    const int64_t ticks = std::max<int64_t>(next - nowTicks(), 0);
    return (ticks + kTicksPerUs - 1) / kTicksPerUs;
}

int SimulatedWire::hostPendingOutput()
{
    advance();
    return int(toInstrumentLine_.size());
}

} // namespace qv::sim
