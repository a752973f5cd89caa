#include "tool_port.h"

#include "platform/qt/qt_event_pump.h"
#include "platform/qt/routed_serial_port.h"
#include "platform/qt/simulator_port.h"

namespace qvtool {

struct ToolPort::Parts {
    qv::RoutedSerialPort port;
    qv::QtEventPump pump;
};

ToolPort::ToolPort(bool simulator) : parts_(std::make_unique<Parts>())
{
    if (simulator)
        parts_->port.setSimulator(std::make_unique<qv::SimulatorPort>());
}

ToolPort::~ToolPort() = default;

qv::SerialPort& ToolPort::port()
{
    return parts_->port;
}

qv::EventPump& ToolPort::pump()
{
    return parts_->pump;
}

} // namespace qvtool
