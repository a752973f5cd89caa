#pragma once

#include "matrix/dot_commands.h"
#include "platform/host/clock.h"

#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// The mouse pad: pointer movement, buttons and the scroll wheel over a
// 640 x 480 area go to the instrument as DOT pointer commands. Movements
// are sent at most once per timer interval: the pad's timer sets a send
// permission that each movement command and each button release clear.
// The timer runs on the clock, from the pad's creation or the last change
// of its interval.
class MousePad {
public:
    static constexpr int kWidth = 640; // the instrument's LCD
    static constexpr int kHeight = 480;
    static constexpr int kDefaultIntervalMs = 150;
    static constexpr int kMinIntervalMs = 1;
    static constexpr int kMaxIntervalMs = 5000;

    enum class Button { Left, Middle, Right };
    enum class Wheel { None, Up, Down };
    enum class ClickMode { Click, UpDown }; // "Send Mouse Click." / "Send Mouse Up/Down"

    // send: one pointer command line; the receive buffer is the sender's.
    MousePad(const Clock& clock, std::function<void(const std::string&)> send);

    void move(int x, int y);
    void buttonDown(Button button);
    void buttonUp(Button button);
    void scroll(Wheel direction);

    // The interval field's text: an integer from 1 to 5000 becomes the
    // interval; false (interval kept) for anything else.
    bool setIntervalText(const std::string& text);
    int intervalMs() const { return intervalMs_; }

    ClickMode clickMode = ClickMode::Click;

    int x() const { return x_; }
    int y() const { return y_; }
    bool down(Button button) const { return down_[int(button)]; }
    Wheel wheel() const { return wheel_; }

    // The status labels.
    std::string positionXText() const;
    std::string positionYText() const;
    std::string buttonText(Button button) const;
    std::string wheelText() const;

private:
    int64_t ticks() const;
    bool permitted() const;
    void clearPermission();
    void sendAt(PointerEvent event);

    const Clock& clock_;
    std::function<void(const std::string&)> send_;
    int intervalMs_ = kDefaultIntervalMs;
    int64_t timerStartMs_;
    int64_t clearedAtTick_ = 0; // the permission is set by any later tick
    int x_ = 0;
    int y_ = 0;
    bool down_[3] = {};
    Wheel wheel_ = Wheel::None;
};

} // namespace qv
