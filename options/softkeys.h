#pragma once

#include "platform/host/clock.h"
#include "platform/host/prompter.h"

#include <cstdint>
#include <functional>

namespace qv {

// The instrument's eight softkeys pressed from the PC. A click on a key's
// picture presses it and then holds everything for the time the
// instrument needs to act on it; F1 to F8 press at once.
class Softkeys {
public:
    static constexpr int kCount = 8;
    static constexpr int kLeftKeysPauseMs = 2000;  // keys 1 to 4
    static constexpr int kRightKeysPauseMs = 1000; // keys 5 to 8

    // pressKey: the transfer engine's key press with its retry; false when
    // the key was not acknowledged. Unset when there is no serial port.
    using PressKey = std::function<bool(uint8_t key)>;

    Softkeys(std::function<PressKey()> link, Clock& clock, Prompter& prompter);

    // F1 to F8. False when the key did not reach the instrument.
    bool press(int key);
    // A click on the key's picture.
    bool click(int key);

private:
    std::function<PressKey()> link_;
    Clock& clock_;
    Prompter& prompter_;
};

} // namespace qv
