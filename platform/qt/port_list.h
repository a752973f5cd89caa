#pragma once

#include <string>
#include <vector>

namespace qv {

// The serial ports the system lists, sorted.
std::vector<std::string> systemPortNames();

// Name first, then the trailing number by value (ttyS2 before ttyS10).
void sortPortNames(std::vector<std::string>& names);

// The ports offered to the user: the system's, then the --port devices it
// does not list already, then "SIM" when the simulator is enabled.
std::vector<std::string> offeredPortNames(const std::vector<std::string>& systemPorts,
                                          const std::vector<std::string>& extraPorts, bool simulator);

// The same over the system's current list.
std::vector<std::string> availablePortNames(const std::vector<std::string>& extraPorts, bool simulator);

} // namespace qv
