#pragma once

#include "link/host_services.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/scripted_prompter.h"
#include "sim/instrument.h"
#include "sim/simulated_serial_port.h"
#include "sim/simulated_wire.h"

#include <memory>

// A simulated instrument behind a port, on virtual time: every wait, poll
// and retry runs as in the field, in milliseconds of real time.
struct SimBench {
    explicit SimBench(qv::sim::InstrumentOptions options = {})
        : instrument(options), wire(instrument, clock), port(wire, clock)
    {
        pump.add([this] { port.deliverNotifications(); });
        port.open("SIM");
    }

    qv::HostServices host() { return {clock, pump, prompter}; }

    qv::VirtualClock clock;
    qv::CallbackEventPump pump;
    qv::ScriptedPrompter prompter;
    qv::sim::Instrument instrument;
    qv::sim::SimulatedWire wire;
    qv::sim::SimulatedSerialPort port;
};
