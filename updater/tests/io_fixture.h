#pragma once

#include "link/host_services.h"
#include "sim/virtual_instrument.h"
#include "updater/io_interface.h"

#include <string>

// QV-Update's I/O-interface over a simulated instrument with its I/O module,
// on virtual time, the port open.
struct IoBench {
    static qv::sim::InstrumentOptions WithModule(qv::sim::IoModuleOptions io)
    {
        qv::sim::InstrumentOptions options;
        options.ioModule = std::move(io);
        options.ioModule.present = true;
        return options;
    }

    explicit IoBench(qv::sim::IoModuleOptions io = {}) : sim(WithModule(std::move(io))) { sim.port.open("SIM"); }

    qv::sim::IoModule& module() { return *sim.wire.ioModule(); }
    // Lets the simulated side take what has been sent by now.
    void settle() { sim.wire.hostAvailable(); }
    int64_t elapsedMs(int64_t sinceMs) const { return sim.clock.nowMs() - sinceMs; }

    qv::sim::VirtualInstrument sim;
    qv::UpdateChannel channel{sim.port, qv::HostServices{sim.clock, sim.pump, sim.prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
};
