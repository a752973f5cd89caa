#include "port_list.h"

#include "platform/host/port_names.h"

#include <QSerialPortInfo>

#include <algorithm>
#include <cctype>

namespace qv {

namespace {

// Name, then trailing number by value.
bool naturalLess(const std::string& a, const std::string& b)
{
    auto split = [](const std::string& s) {
        size_t i = s.size();
        while (i > 0 && std::isdigit(static_cast<unsigned char>(s[i - 1])))
            --i;
        return std::pair{s.substr(0, i), s.substr(i)};
    };
    auto [stemA, numA] = split(a);
    auto [stemB, numB] = split(b);
    if (stemA != stemB)
        return stemA < stemB;
    if (numA.size() != numB.size())
        return numA.size() < numB.size();
    return numA < numB;
}

} // namespace

std::vector<std::string> systemPortNames()
{
    std::vector<std::string> names;
    for (const auto& info : QSerialPortInfo::availablePorts())
        names.push_back(info.portName().toStdString());
    sortPortNames(names);
    return names;
}

void sortPortNames(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(), naturalLess);
}

std::vector<std::string> offeredPortNames(const std::vector<std::string>& systemPorts,
                                          const std::vector<std::string>& extraPorts, bool simulator)
{
    std::vector<std::string> out = systemPorts;
    for (const auto& extra : extraPorts) {
        bool listed = std::any_of(out.begin(), out.end(), [&](const std::string& p) { return samePort(p, extra); });
        if (!extra.empty() && !listed)
            out.push_back(extra);
    }
    if (simulator)
        out.push_back(kSimulatorPortName);
    return out;
}

std::vector<std::string> availablePortNames(const std::vector<std::string>& extraPorts, bool simulator)
{
    return offeredPortNames(systemPortNames(), extraPorts, simulator);
}

} // namespace qv
