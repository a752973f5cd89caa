#pragma once

#include "updater/xsvf.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qv::sim {

// An XSVF program that configures the simulated mainboard FPGA with
// bitstream: it checks the FPGA's IDCODE (bits 0-27), shifts the bytes in
// through CFG_IN in scans of at most chunkBytes, and starts the FPGA. After
// it the chain's configuration() equals bitstream and started() is true.
std::vector<xsvf::Instruction> fpgaConfigurationProgram(uint32_t idcode, std::span<const uint8_t> bitstream,
                                                        size_t chunkBytes);

} // namespace qv::sim
