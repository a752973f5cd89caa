#include "dot_commands.h"

namespace qv {

namespace {

std::string Numbers(int a, int b)
{
    return std::to_string(a) + "," + std::to_string(b);
}

} // namespace

std::string DotIdentityQuery(int firstItem)
{
    return "\r.LI" + std::to_string(firstItem) + ",-\r";
}

std::string DotPresetQuery()
{
    return ".LP9,-\r";
}

std::string DotCrosspointList(int firstOutput)
{
    return ".LA" + std::to_string(firstOutput) + ",-*\r";
}

std::string DotGainQuery(int output)
{
    return ".LG" + std::to_string(output) + ",-\r";
}

std::string DotSetCrosspoint(int output, int input)
{
    return ".SA" + Numbers(output, input) + "*\r";
}

std::string DotSetGain(int output, int tenths)
{
    return ".SG" + Numbers(output, tenths) + "\r";
}

std::string DotSelectPreset(int preset)
{
    return ".SP" + Numbers(9, preset) + "\r";
}

std::string DotSetParameter1(int value)
{
    return ".SP" + Numbers(1, value) + "\r";
}

std::string DotPointer(PointerEvent event, int x, int y)
{
    return std::string(".S") + char(event) + Numbers(x, y) + "\r\n";
}

std::string DotMacroCommand(const std::string& line)
{
    return line + "\r";
}

} // namespace qv
