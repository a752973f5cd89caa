#include "mac_address.h"

#include <cstdio>

namespace qv {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

void ParseMacText(const std::string& macText, MacBytes& mac)
{
    for (size_t i = 0; i < mac.size() && 2 * i + 1 < macText.size(); ++i) {
        const int high = HexDigit(macText[2 * i]);
        const int low = HexDigit(macText[2 * i + 1]);
        if (high < 0 || low < 0)
            return;
        mac[i] = uint8_t(high * 16 + low);
    }
}

bool MacAddressValid(const MacBytes& mac)
{
    return mac[0] == 0x00 && mac[1] == 0x0B && (mac[2] == 0x3C || mac[2] == 0x57);
}

std::string MacAddressText(const MacBytes& mac)
{
    std::string address;
    for (uint8_t b : mac) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", b);
        address += (address.empty() ? "" : ":") + std::string(pair);
    }
    return address;
}

std::string IncorrectMacText(const MacBytes& mac)
{
    return "An incorrect MAC address has been detected in the I/O module.\r\rThe current MAC address is " +
           MacAddressText(mac) +
           ".\r\rThis can prevent the I/O module from performing optimally.\r\rPlease contact Qvella A/S for further "
           "information.";
}

} // namespace qv
