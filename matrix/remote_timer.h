#pragma once

#include "platform/host/clock.h"

#include <cstdint>
#include <functional>
#include <utility>

namespace qv {

// Starts a one-shot timer: after ms the action runs once, outside whatever
// armed it. Starting it again replaces the pending run.
using StartTimer = std::function<void(int ms, std::function<void()> action)>;

// A one-shot timer on a Clock for hosts without a timer of their own (tests
// and tools on virtual time): the event pump calls poll, which runs the
// action once its time has come.
class ClockTimer {
public:
    explicit ClockTimer(const Clock& clock) : clock_(clock) {}

    void start(int ms, std::function<void()> action)
    {
        dueMs_ = clock_.nowMs() + ms;
        action_ = std::move(action);
    }
    bool pending() const { return bool(action_); }
    void poll()
    {
        if (!action_ || clock_.nowMs() < dueMs_)
            return;
        // Taken first: the action may start the timer again.
        auto action = std::move(action_);
        action_ = nullptr;
        action();
    }

private:
    const Clock& clock_;
    int64_t dueMs_ = 0;
    std::function<void()> action_;
};

} // namespace qv
