#include "interface_menu.h"

#include "platform/host/port_names.h"

namespace qv {

InterfaceMenuModel BuildInterfaceMenuModel(const std::vector<std::string>& ports, bool extCmdSet,
                                           const QString& savedInterface)
{
    InterfaceMenuModel model;
    model.ports = ports;
    model.external = extCmdSet;
    const std::string saved = savedInterface.trimmed().toStdString();
    const std::string reduced = reducedPortName(saved);
    if (reduced.empty())
        return model;
    if (reduced == kExtInterfaceName) {
        if (extCmdSet)
            model.marked = int(ports.size());
        return model;
    }
    for (size_t i = 0; i < ports.size(); ++i) {
        if (samePort(saved, ports[i])) {
            model.marked = int(i);
            break;
        }
    }
    return model;
}

std::string MissingPortText(const std::string& savedName)
{
    return "The previously used comport (" + savedName + ") is no longer available." + "\r" +
           "Please select a different port from the Interface menu.";
}

} // namespace qv
