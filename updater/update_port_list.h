#pragma once

#include <string>
#include <vector>

namespace qv {

// The host's ports ordered by the number their digits form, ascending;
// ports with equal numbers keep the host's order.
std::vector<std::string> OrderPortsByNumber(const std::vector<std::string>& hostPorts);

// QV-Update's port list: the host's ports in that order, then the --port
// devices the host does not list, then "SIM" when the simulator is enabled.
// There is no "Extract Drivers" entry: the kernel drives the USB adapter.
std::vector<std::string> UpdatePortList(const std::vector<std::string>& hostPorts,
                                        const std::vector<std::string>& extraPorts, bool simulator);

// The port selected before the user chose one: the one the command line
// asked to add ("SIM" first, then the first --port device), else the first
// listed; -1 for an empty list.
int InitialPortIndex(const std::vector<std::string>& ports, const std::vector<std::string>& extraPorts,
                     bool simulator);

// The index of the listed port a typed or saved name denotes, or -1.
int FindListedPort(const std::vector<std::string>& ports, const std::string& name);

} // namespace qv
