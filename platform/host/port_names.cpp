#include "port_names.h"

#include <cctype>

namespace qv {

namespace {

bool allDigits(const std::string& s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// "COM3" (any case) gives 3; anything else 0.
int comNumber(const std::string& name)
{
    if (name.size() < 4)
        return 0;
    for (size_t i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
            return 0;
    std::string digits = name.substr(3);
    if (!allDigits(digits) || digits.size() > 4)
        return 0;
    return std::stoi(digits);
}

} // namespace

std::string portDevicePath(const std::string& name)
{
    if (name == kSimulatorPortName || name.empty())
        return name;
    if (int n = comNumber(name); n > 0)
        return "/dev/ttyS" + std::to_string(n - 1);
    if (name.find('/') != std::string::npos)
        return name;
    return "/dev/" + name;
}

std::string portNameFromArgument(const std::string& argument)
{
    if (allDigits(argument) && argument.size() <= 4)
        return "COM" + std::to_string(std::stoi(argument));
    return argument;
}

std::string reducedPortName(const std::string& name)
{
    std::string out;
    for (char c : name)
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool samePort(const std::string& a, const std::string& b)
{
    if (reducedPortName(a) == reducedPortName(b))
        return true;
    return reducedPortName(portDevicePath(a)) == reducedPortName(portDevicePath(b));
}

} // namespace qv
