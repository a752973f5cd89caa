#pragma once

#include "link/update_channel.h"
#include "link/update_identity.h"
#include "platform/host/clock.h"
#include "platform/host/event_pump.h"
#include "platform/host/serial_port.h"
#include "updater/advanced_menu.h"
#include "updater/command_line_job.h"
#include "updater/counting_prompter.h"
#include "updater/io_interface.h"
#include "updater/update_command_line.h"
#include "updater/update_connection.h"
#include "updater/update_wizard.h"

#include <functional>
#include <string>
#include <vector>

namespace qv {

// What QV-Update runs on: the real machine, or a simulated instrument on
// virtual time with scripted dialogs.
struct UpdateServices {
    Clock& clock;
    EventPump& pump;
    Prompter& prompter;
    SerialPort& port;
    // The host's serial ports, asked again at every refresh.
    std::function<std::vector<std::string>()> hostPorts;
    // The maker's web site ([Settings] WebAddress of QV-Update.INI).
    std::string webAddress = {};
    // Asked by "Check for updates..." ([Settings] UpdateServer, --update-server).
    std::string updateServer = {};
};

// QV-Update's state and flows over one view of them: the port with its
// receive state, the instrument's identity, the I/O-interface, discovery
// and connection, and the wizard.
class UpdateCore {
public:
    UpdateCore(const UpdateServices& services, WizardView& view, const UpdateCommandLine& line);

    CommandLineContext context() { return {wizard, connection, io, identity, view_, prompter}; }
    // Runs the command line's job; the help job is the caller's.
    CommandLineOutcome RunJob(UpdateCommandLine& line) { return RunCommandLine(line, context()); }
    // The window is shown: not connected, the start page.
    void FormShow();
    // Leaves the I/O-interface transparent before the program ends.
    void DisconnectAtEnd();

    CountingPrompter prompter;
    UpdateChannel channel;
    UpdateIdentity identity;
    IoInterface io{channel, identity};
    UpdateConnection connection;
    UpdateWizard wizard;
    AdvancedMenu advanced;

private:
    WizardView& view_;
};

UpdateConnectionSettings ConnectionSettings(const UpdateServices& services, const UpdateCommandLine& line);

} // namespace qv
