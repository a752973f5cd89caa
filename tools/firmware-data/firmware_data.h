#pragma once

#include "updater/xsvf.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qvtools {

// The FPGA probes "VP_20" and "VP_30": XSVF programs that read the mainboard
// FPGA's IDCODE three times and compare it with the identity expected
// (0x00F1266093 or 0x00F127E093 over 33 bits, bits 0-27 compared).
std::vector<qv::xsvf::Instruction> ProbeProgram(uint64_t expectedIdcode);

// The FPGA loader for the simulated I/O module, stage 1 ("FPGA_PRG") or 2
// ("FPGA_PRG14"), as Intel HEX text with "\r\n" line ends.
std::string LoaderHexText(int stage);

struct DataItem {
    std::string file; // in data/items
    std::vector<uint8_t> bytes;
};

// Every item this tool makes.
std::vector<DataItem> FirmwareDataItems();

} // namespace qvtools
