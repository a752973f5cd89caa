// Connecting through the I/O-interface module on virtual time at 9600 baud:
// detection, the status records, and the slot scans of a connection with
// seven expansion modules.
#include "bench_support.h"
#include "link/host_services.h"
#include "updater/headless_wizard_view.h"
#include "updater/io_interface.h"
#include "updater/update_connection.h"

#include <cstdio>

namespace {

qv::sim::InstrumentOptions SevenModules()
{
    qv::sim::InstrumentOptions o;
    o.ioModule.present = true;
    const uint8_t ids[] = {0xB0, 0xB1, 0xB0, 0xC0, 0xC1, 0xDD, 0xAD};
    for (size_t i = 0; i < 7; ++i)
        o.ioModule.slotModules[i] = {ids[i], uint8_t(0x10 + i), uint8_t(0x20 + i), uint8_t(40 + i), true};
    return o;
}

struct IoConnectBench {
    bench::SimBench sim{SevenModules()};
    qv::UpdateChannel channel{sim.port, qv::HostServices{sim.clock, sim.pump, sim.prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
};

} // namespace

int main()
{
    std::printf("I/O-interface connection at %d baud, seven expansion modules, virtual time\n", bench::kBaud);
    IoConnectBench b;
    bench::Measure("DetectIoInterface", b.sim, [&] { return b.io.DetectIoInterface(false) == qv::IOSTAT_OK; });
    bench::Measure("ReadIoStatus", b.sim, [&] {
        return b.io.SetIoMode(true) == qv::ATCMD_OK && b.io.ReadIoStatus() == qv::IOSTAT_OK;
    });
    bench::Measure("ReadModuleIds", b.sim, [&] { return b.io.ReadModuleIds()[6] == 0xAD; });
    bench::Measure("ScanSlots e, j and firmware", b.sim, [&] {
        b.io.ScanSlots(qv::SlotQuery::SoftwareVersion);
        b.io.ScanSlots(qv::SlotQuery::Temperature);
        b.io.ScanSlots(qv::SlotQuery::FirmwareVersion);
        return b.io.slotInfo[6].firmwareVersion == 0x26;
    });

    IoConnectBench whole;
    bench::Measure("connect: all of the above", whole.sim, [&] {
        bool ok = whole.io.DetectIoInterface(false) == qv::IOSTAT_OK;
        for (auto query : {qv::SlotQuery::ModuleId, qv::SlotQuery::SoftwareVersion, qv::SlotQuery::Temperature,
                           qv::SlotQuery::FirmwareVersion})
            whole.io.ScanSlots(query);
        return ok && whole.io.slotInfo[0].moduleId == 0xB0 && whole.io.slotInfo[6].temperature == 46;
    });

    // The whole connect of the window's Connect button: detection, the
    // instrument's identity and text items, the slot scans, the tree.
    bench::SimBench full(SevenModules());
    full.port.close();
    qv::UpdateChannel channel{full.port, qv::HostServices{full.clock, full.pump, full.prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
    qv::HeadlessWizardView view;
    qv::UpdateConnectionSettings settings;
    settings.simulator = true;
    qv::UpdateConnection connection{io, identity, view, settings};
    connection.FormShow();
    bench::Measure("UpdateConnection: Connect", full, [&] {
        connection.btnOpenClick();
        return connection.connected() && io.slotInfo[6].moduleId == 0xAD && !view.tree.lines.empty();
    });
    return 0;
}
