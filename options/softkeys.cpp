#include "softkeys.h"

#include <utility>

namespace qv {

Softkeys::Softkeys(std::function<PressKey()> link, Clock& clock, Prompter& prompter)
    : link_(std::move(link)), clock_(clock), prompter_(prompter)
{
}

bool Softkeys::press(int key)
{
    if (key < 1 || key > kCount)
        return false;
    const PressKey pressKey = link_();
    if (!pressKey) {
        prompter_.error("No RVT connected.");
        return false;
    }
    return pressKey(uint8_t(key));
}

bool Softkeys::click(int key)
{
    const bool pressed = press(key);
    if (pressed)
        clock_.sleepMs(key <= kCount / 2 ? kLeftKeysPauseMs : kRightKeysPauseMs);
    return pressed;
}

} // namespace qv
