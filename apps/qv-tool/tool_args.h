#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qvtool {

// A number as users type it: decimal, "$" + hex or "0x" + hex.
std::optional<uint32_t> ParseNumber(const std::string& text);

// The command line split into options and the remaining words.
struct Args {
    std::vector<std::string> words;
    std::string port;
    std::string variant = "update";
    bool simulator = false;
    std::string trafficLog;
    bool fast = false; // flash: through the I/O-interface module
    std::string error; // a usage error, when not empty
};

Args ParseArgs(int argc, char** argv);

} // namespace qvtool
