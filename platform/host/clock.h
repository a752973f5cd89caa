#pragma once

#include <cstdint>

namespace qv {

// Time source for every wait and pause. Production sleeps for real; tests
// use VirtualClock, where a sleep only moves the clock forward.
class Clock {
public:
    virtual ~Clock() = default;
    virtual int64_t nowMs() const = 0;
    // Microseconds, for pacing bytes on a simulated wire.
    virtual int64_t nowUs() const { return nowMs() * 1000; }
    virtual void sleepMs(int ms) = 0;
    // For transmission times below a millisecond.
    virtual void sleepUs(int64_t us) { sleepMs(int((us + 999) / 1000)); }
};

// Monotonic wall clock with real sleeps.
class SteadyClock : public Clock {
public:
    int64_t nowMs() const override;
    int64_t nowUs() const override;
    void sleepMs(int ms) override;
    void sleepUs(int64_t us) override;
};

// Virtual time for tests and benchmarks: a sleep advances the clock at once.
class VirtualClock : public Clock {
public:
    int64_t nowMs() const override { return nowUs_ / 1000; }
    int64_t nowUs() const override { return nowUs_; }
    void sleepMs(int ms) override
    {
        if (ms > 0)
            nowUs_ += int64_t(ms) * 1000;
    }
    void sleepUs(int64_t us) override
    {
        if (us > 0)
            nowUs_ += us;
    }
    void advanceUs(int64_t us) { sleepUs(us); }

private:
    int64_t nowUs_ = 0;
};

} // namespace qv
