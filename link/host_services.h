#pragma once

#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/prompter.h"

namespace qv {

// The services a link operation may use to wait, pump events and ask.
struct HostServices {
    Clock& clock;
    EventPump& pump;
    Prompter& prompter;
};

} // namespace qv
