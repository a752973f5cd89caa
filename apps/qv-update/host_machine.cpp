#include "host_machine.h"

#include "platform/qt/ini_file.h"
#include "platform/qt/port_list.h"
#include "platform/qt/program_settings.h"
#include "platform/qt/simulator_port.h"

#include <QFileInfo>

#include <sys/resource.h>

namespace qv {

namespace {
constexpr int kRaisedNice = -5;
} // namespace

HostMachine::HostMachine(const UpdateCommandLine& line)
{
    if (line.simulator)
        port_.setSimulator(std::make_unique<SimulatorPort>(SimulatedInstrumentOptions()));
    const QString settings = UpdateSettingsPath();
    // Settings are a convenience: without the file the program runs on.
    if (!settings.isEmpty() && CreateUpdateSettingsFile(settings)) {
        webAddress_ = WebAddressSetting(settings).toStdString();
        updateServer_ = IniFile(settings).value(kSettingsSection, kUpdateServerKey).trimmed().toStdString();
    }
    if (line.updateServer)
        updateServer_ = *line.updateServer;
}

UpdateServices HostMachine::services(Prompter& prompter)
{
    return {clock_, pump_, prompter, port_, [] { return systemPortNames(); }, webAddress_, updateServer_};
}

QString UpdateSettingsPath()
{
    return ProgramSettingsPath("QV-Update");
}

bool CreateUpdateSettingsFile(const QString& path)
{
    if (QFileInfo::exists(path))
        return true;
    IniFile ini(path);
    ini.setValue(kSettingsSection, kWebAddressKey, {});
    ini.setValue(kSettingsSection, kUpdateServerKey, {});
    return ini.save();
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
