#pragma once

#include "platform/host/event_pump.h"

namespace qv {

// Runs pending window and port events inside a wait.
class QtEventPump : public EventPump {
public:
    void pump() override;
};

} // namespace qv
