#pragma once

#include "instrument.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"
#include "simulated_serial_port.h"
#include "simulated_wire.h"

namespace qv::sim {

// A simulated instrument behind a port on virtual time, with the other host
// services a flow needs: every wait, poll and retry runs as in the field, in
// milliseconds of real time. The pump delivers the port's notifications.
struct VirtualInstrument {
    explicit VirtualInstrument(InstrumentOptions options = {}, int baud = 9600) : instrument(options)
    {
        wire.setBaudRate(baud);
        pump.add([this] { port.deliverNotifications(); });
    }

    VirtualClock clock;
    CallbackEventPump pump;
    ScriptedPrompter prompter;
    Instrument instrument;
    SimulatedWire wire{instrument, clock};
    SimulatedSerialPort port{wire, clock};
};

} // namespace qv::sim
