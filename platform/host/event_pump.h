#pragma once

#include <functional>
#include <vector>

namespace qv {

// Lets pending user-interface and port events run inside a wait.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void pump() = 0;
};

// For tests and command-line use: runs the registered callbacks on every
// pump, the way an event loop delivers queued port notifications.
class CallbackEventPump : public EventPump {
public:
    void add(std::function<void()> callback) { callbacks_.push_back(std::move(callback)); }
    void pump() override
    {
        ++count_;
        for (auto& c : callbacks_)
            c();
    }
    int pumpCount() const { return count_; }

private:
    std::vector<std::function<void()>> callbacks_;
    int count_ = 0;
};

} // namespace qv
