#pragma once

#include <string>

namespace qv {

// The simulated instrument's port, offered only with --simulator.
inline constexpr const char* kSimulatorPortName = "SIM";

// The device a port name stands for: "COM" + n is another name of
// /dev/ttyS(n-1); a system name such as ttyUSB0 lives in /dev; a path is
// used as it is; "SIM" stays "SIM".
std::string portDevicePath(const std::string& name);

// A bare number n on a command line means COM n; anything else is kept.
std::string portNameFromArgument(const std::string& argument);

// Upper case, letters and digits only: the form in which saved or typed
// port names are compared with the listed ones.
std::string reducedPortName(const std::string& name);

// True when two names denote the same port under that reduction, also when
// one of them is a COM alias of the other.
bool samePort(const std::string& a, const std::string& b);

} // namespace qv
