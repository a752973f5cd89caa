#pragma once

#include <QString>

#include <string>
#include <vector>

namespace qv {

inline constexpr char kExternalCommandCaption[] = "External Command";
inline constexpr char kNoPortsCaption[] = "No ports installed.";
// The ComInterface value and port field text of the external program.
inline constexpr char kExtInterfaceName[] = "EXT";

// The entries of the Interface menu and the one that matches the saved
// ComInterface.
struct InterfaceMenuModel {
    std::vector<std::string> ports; // captions, in the order given
    bool external = false;          // "External Command" after the ports
    // Index into ports, ports.size() for "External Command", -1 for none.
    int marked = -1;

    bool empty() const { return ports.empty() && !external; }
    bool missing() const { return marked < 0; }
    bool externalMarked() const { return external && marked == int(ports.size()); }
};

// ports: the offered ports (system ports, --port devices, "SIM"). The saved
// value and each port are compared in reduced form (upper case, letters and
// digits only; a COM alias matches its device); "EXT" matches the external
// program when ExtCMD is set.
InterfaceMenuModel BuildInterfaceMenuModel(const std::vector<std::string>& ports, bool extCmdSet,
                                           const QString& savedInterface);

// The information shown when the saved port is not offered any more.
std::string MissingPortText(const std::string& savedName);

} // namespace qv
