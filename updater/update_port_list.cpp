#include "update_port_list.h"

#include "platform/host/port_names.h"

#include <cctype>

namespace qv {

namespace {

// The digits of a name, without leading zeros; compared as numbers of any
// length, so a long device path cannot overflow.
std::string DigitsOf(const std::string& name)
{
    std::string digits;
    for (char c : name)
        if (std::isdigit(static_cast<unsigned char>(c)) && !(digits.empty() && c == '0'))
            digits += c;
    return digits;
}

bool NumberGreater(const std::string& a, const std::string& b)
{
    return a.size() != b.size() ? a.size() > b.size() : a > b;
}

} // namespace

std::vector<std::string> OrderPortsByNumber(const std::vector<std::string>& hostPorts)
{
    std::vector<std::string> ordered;
    std::vector<std::string> numbers;
    for (const std::string& port : hostPorts) {
        const std::string number = DigitsOf(port);
        // Before the first entry with a greater number.
        size_t at = 0;
        while (at < numbers.size() && !NumberGreater(numbers[at], number))
            ++at;
        ordered.insert(ordered.begin() + long(at), port);
        numbers.insert(numbers.begin() + long(at), number);
    }
    return ordered;
}

std::vector<std::string> UpdatePortList(const std::vector<std::string>& hostPorts,
                                        const std::vector<std::string>& extraPorts, bool simulator)
{
    std::vector<std::string> ports = OrderPortsByNumber(hostPorts);
    for (const std::string& extra : extraPorts)
        if (!extra.empty() && FindListedPort(ports, extra) < 0)
            ports.push_back(extra);
    if (simulator && FindListedPort(ports, kSimulatorPortName) < 0)
        ports.push_back(kSimulatorPortName);
    return ports;
}

int InitialPortIndex(const std::vector<std::string>& ports, const std::vector<std::string>& extraPorts,
                     bool simulator)
{
    if (simulator)
        if (const int at = FindListedPort(ports, kSimulatorPortName); at >= 0)
            return at;
    for (const std::string& extra : extraPorts)
        if (const int at = FindListedPort(ports, extra); at >= 0)
            return at;
    return ports.empty() ? -1 : 0;
}

int FindListedPort(const std::vector<std::string>& ports, const std::string& name)
{
    if (name.empty())
        return -1;
    for (size_t i = 0; i < ports.size(); ++i)
        if (samePort(ports[i], name))
            return int(i);
    return -1;
}

} // namespace qv
