#pragma once

#include "sim/instrument_options.h"

#include <string>
#include <vector>

namespace qv::sim {

// What qv-instrument-sim was asked to do.
struct SimCommandLine {
    InstrumentOptions options;
    std::string linkPath; // symbolic link to the pseudo-terminal
    std::string dumpPath; // whole memory written here at the end
    int readPaceUs = 0;   // a slow reader: one byte of the client's every N us
    bool help = false;
};

// Fills line from the arguments (without the program name); false with a
// message in error when an option is unknown or its value is bad.
bool parseSimCommandLine(const std::vector<std::string>& args, SimCommandLine& line, std::string& error);

std::string simUsage();

// "5.30" as the ImageVersion 0x0530; false unless it is M.mm or MM.mm.
bool parseImageVersion(const std::string& text, uint16_t& version);

} // namespace qv::sim
