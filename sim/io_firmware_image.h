#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv::sim {

// The flash of the simulated I/O module: its boot loader below
// kIoApplicationStart, never written; the RUN code from there on. A RUN code
// begins with a header that names it; the boot loader starts only code whose
// header and CRC-32 are right.
inline constexpr uint32_t kIoFlashSize = 0x20000;
inline constexpr uint32_t kIoApplicationStart = 0x2000;
inline constexpr size_t kIoFirmwareHeaderSize = 64;
inline constexpr size_t kIoFirmwareNameLength = 48;

struct IoFirmwareHeader {
    uint8_t runId = 0;          // 3: the FPGA loader, which plays JTAG and moves flash
    uint8_t runMajor = 0;
    uint8_t runMinor = 0;
    uint8_t loaderRegister = 0; // what "@ATRDREG" answers while it runs
    std::string name;           // the "@ATVER" reply; at most kIoFirmwareNameLength characters
};

// Header and code as they lie from kIoApplicationStart.
std::vector<uint8_t> ioFirmwareImage(const IoFirmwareHeader& header, std::span<const uint8_t> code);

enum class IoFirmwareCheck {
    Valid,
    NoHeader, // not a RUN code of ours
    BadCrc,   // our header, but the code is not what it describes
};

// Checks the application area (flash bytes from kIoApplicationStart).
IoFirmwareCheck checkIoFirmware(std::span<const uint8_t> application, IoFirmwareHeader& header);

} // namespace qv::sim
