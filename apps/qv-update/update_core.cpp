#include "update_core.h"

#include "update_version.h"

namespace qv {

UpdateConnectionSettings ConnectionSettings(const UpdateServices& services, const UpdateCommandLine& line)
{
    UpdateConnectionSettings settings;
    settings.programVersion = UpdateVersionText();
    settings.webSiteAddress = services.webAddress;
    settings.hostPorts = services.hostPorts;
    settings.extraPorts = line.extraPorts;
    settings.simulator = line.simulator;
    return settings;
}

UpdateCore::UpdateCore(const UpdateServices& services, WizardView& view, const UpdateCommandLine& line)
    : prompter(services.prompter),
      channel(services.port, HostServices{services.clock, services.pump, prompter}),
      connection(io, identity, view, ConnectionSettings(services, line)),
      wizard(io, identity, connection, view),
      advanced(io, identity, wizard, view),
      view_(view)
{
}

void UpdateCore::FormShow()
{
    connection.FormShow();
    wizard.ShowPage("START");
}

void UpdateCore::DisconnectAtEnd()
{
    if (channel.port().isOpen()) {
        channel.ResetAbort();
        connection.btnOpenClick();
    }
}

} // namespace qv
