#pragma once

#include "update_core.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/routed_serial_port.h"
#include "sim/instrument_options.h"

#include <QString>

namespace qv {

// The real machine's services: its clock, the Qt event loop and the serial
// ports, with the in-process simulated instrument as "SIM" when asked for,
// and the settings of QV-Update.INI.
class HostMachine {
public:
    explicit HostMachine(const UpdateCommandLine& line);

    UpdateServices services(Prompter& prompter);

private:
    SteadyClock clock_;
    QtEventPump pump_;
    RoutedSerialPort port_;
    std::string webAddress_;
    std::string updateServer_;
};

// ~/.config/QV-Update/QV-Update.INI; empty when there is no settings folder.
QString UpdateSettingsPath();
// A missing file is made with an empty [Settings] WebAddress and
// UpdateServer for the user to fill in. False when it cannot be made.
bool CreateUpdateSettingsFile(const QString& path);

// The instrument behind "SIM": an I/O-interface module and a few expansion
// modules, so that everything QV-Update can show has something to show.
sim::InstrumentOptions SimulatedInstrumentOptions();

// Best effort, as the system's own start-up does; a refusal is ignored.
void RaiseProcessPriority();

} // namespace qv
