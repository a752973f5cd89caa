#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qvtools {

struct ExamplePayload {
    std::string file; // in data/examples/payloads
    std::vector<uint8_t> bytes;
};

// The data blocks of the example packages, made here from our own formats:
// a program block and the block of the version area that names software
// 5.40, a RUN code for
// the simulated I/O module as Intel HEX, and XSVF images that configure the
// simulated mainboard FPGA and the FPGA of an 8-ANA input module.
std::vector<ExamplePayload> ExamplePayloads();

} // namespace qvtools
