#include "host_machine.h"

#include "platform/qt/port_list.h"
#include "platform/qt/simulator_port.h"

#include <sys/resource.h>

namespace qv {

namespace {
constexpr int kRaisedNice = -5;
} // namespace

HostMachine::HostMachine(const UpdateCommandLine& line)
{
    if (line.simulator)
        port_.setSimulator(std::make_unique<SimulatorPort>(SimulatedInstrumentOptions()));
}

UpdateServices HostMachine::services(Prompter& prompter)
{
    return {clock_, pump_, prompter, port_, [] { return systemPortNames(); }};
}

sim::InstrumentOptions SimulatedInstrumentOptions()
{
    sim::InstrumentOptions options;
    options.ioModule.present = true;
    options.ioModule.slotModules[0] = {0xB0, 0x12, 0x21, 0x2B, true};
    options.ioModule.slotModules[1] = {0xB1, 0x11, 0x20, 0x2D, true};
    options.ioModule.slotModules[3] = {0xC0, 0x12, 0x21, 0x2C, true};
    options.ioModule.slotModules[6] = {0xDD, 0x03, 0x10, 0x31, true};
    return options;
}

void RaiseProcessPriority()
{
    setpriority(PRIO_PROCESS, 0, kRaisedNice);
}

} // namespace qv
