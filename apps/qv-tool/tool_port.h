#pragma once

#include "platform/host/event_pump.h"
#include "platform/host/serial_port.h"

#include <memory>

namespace qvtool {

// The port and event pump of a qv-tool run: a system or device port, or the
// in-process simulated instrument when --simulator was given.
class ToolPort {
public:
    explicit ToolPort(bool simulator);
    ~ToolPort();
    qv::SerialPort& port();
    qv::EventPump& pump();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace qvtool
