#pragma once

#include "link/host_services.h"
#include "link/matrix_channel.h"
#include "link/matrix_link.h"
#include "sim/virtual_instrument.h"

// The simulated instrument on virtual time with its port open.
struct SimBench : qv::sim::VirtualInstrument {
    explicit SimBench(qv::sim::InstrumentOptions options = {}) : VirtualInstrument(options) { port.open("SIM"); }
    qv::HostServices host() { return {clock, pump, prompter}; }
};

// QV-Matrix's link over it, connected to the port.
struct MatrixSimBench {
    explicit MatrixSimBench(qv::sim::InstrumentOptions options = {}) : sim(options)
    {
        channel.init().selectPort("SIM");
        channel.OpenPort();
    }
    SimBench sim;
    qv::MatrixChannel channel{sim.port, sim.host()};
    qv::InstrumentRecord record;
    qv::MatrixLink link{channel, record};
};
