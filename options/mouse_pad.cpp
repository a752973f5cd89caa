#include "mouse_pad.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace qv {

namespace {

constexpr PointerEvent kDownEvent[] = {PointerEvent::LeftDown, PointerEvent::MiddleDown, PointerEvent::RightDown};
constexpr PointerEvent kUpEvent[] = {PointerEvent::LeftUp, PointerEvent::MiddleUp, PointerEvent::RightUp};
constexpr const char* kButtonName[] = {"Left", "Middle", "Right"};

} // namespace

MousePad::MousePad(const Clock& clock, std::function<void(const std::string&)> send)
    : clock_(clock), send_(std::move(send)), timerStartMs_(clock.nowMs())
{
}

int64_t MousePad::ticks() const
{
    return (clock_.nowMs() - timerStartMs_) / intervalMs_;
}

bool MousePad::permitted() const
{
    return ticks() > clearedAtTick_;
}

void MousePad::clearPermission()
{
    clearedAtTick_ = ticks();
}

void MousePad::sendAt(PointerEvent event)
{
    send_(DotPointer(event, x_, y_));
}

void MousePad::move(int x, int y)
{
    // A pointer dragged off the area with a button held stays on its edge:
    // the instrument knows no position outside its screen.
    x_ = std::clamp(x, 0, kWidth - 1);
    y_ = std::clamp(y, 0, kHeight - 1);
    if (!permitted())
        return;
    clearPermission();
    sendAt(PointerEvent::Move);
}

void MousePad::buttonDown(Button button)
{
    down_[int(button)] = true;
    sendAt(kDownEvent[int(button)]);
}

void MousePad::buttonUp(Button button)
{
    down_[int(button)] = false;
    clearPermission();
    if (clickMode == ClickMode::UpDown)
        sendAt(kUpEvent[int(button)]);
}

void MousePad::scroll(Wheel direction)
{
    if (direction == Wheel::None)
        return;
    wheel_ = direction;
    sendAt(direction == Wheel::Up ? PointerEvent::WheelUp : PointerEvent::WheelDown);
}

bool MousePad::setIntervalText(const std::string& text)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [last, ec] = std::from_chars(text.data(), end, value);
    // 0 would stop the timer for good and with it every movement.
    if (ec != std::errc() || last != end || value < kMinIntervalMs || value > kMaxIntervalMs)
        return false;
    // A new interval starts the timer again; a permission already given stays.
    const bool wasPermitted = permitted();
    intervalMs_ = value;
    timerStartMs_ = clock_.nowMs();
    clearedAtTick_ = wasPermitted ? -1 : 0;
    return true;
}

std::string MousePad::positionXText() const
{
    return "Position X: " + std::to_string(x_);
}

std::string MousePad::positionYText() const
{
    return "Y: " + std::to_string(y_);
}

std::string MousePad::buttonText(Button button) const
{
    return std::string(kButtonName[int(button)]) + " Mouse Button: " + (down(button) ? "DOWN" : "UP");
}

std::string MousePad::wheelText() const
{
    switch (wheel_) {
    case Wheel::Up: return "Scroll Wheel: UP";
    case Wheel::Down: return "Scroll Wheel: DOWN";
    case Wheel::None: break;
    }
    return "Scroll Wheel: None";
}

} // namespace qv
