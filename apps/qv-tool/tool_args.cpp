#include "tool_args.h"

#include <charconv>

namespace qvtool {

std::optional<uint32_t> ParseNumber(const std::string& text)
{
    int base = 10;
    std::string digits = text;
    if (digits.rfind("$", 0) == 0) {
        base = 16;
        digits.erase(0, 1);
    } else if (digits.rfind("0x", 0) == 0 || digits.rfind("0X", 0) == 0) {
        base = 16;
        digits.erase(0, 2);
    }
    if (digits.empty())
        return std::nullopt;
    uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

Args ParseArgs(int argc, char** argv)
{
    Args args;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc)
                args.error = a + " needs a value";
            else
                into = argv[++i];
        };
        if (a == "--port")
            value(args.port);
        else if (a == "--variant")
            value(args.variant);
        else if (a == "--traffic-log")
            value(args.trafficLog);
        else if (a == "--simulator")
            args.simulator = true;
        else if (a == "--fast")
            args.fast = true;
        else if (a.rfind("--", 0) == 0 && a != "--help")
            args.error = "unknown option " + a;
        else
            args.words.push_back(a);
    }
    if (args.variant != "update" && args.variant != "matrix")
        args.error = "--variant must be matrix or update";
    return args;
}

} // namespace qvtool
