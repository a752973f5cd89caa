#pragma once

#include "io_module_options.h"
#include "line_noise.h"

#include <array>
#include <cstdint>

namespace qv::sim {

// What the simulated instrument is and how it misbehaves.
struct InstrumentOptions {
    uint16_t serial = 12345;          // 0xFFFF leaves the identity block blank
    char revision = '1';              // byte 19 of block 0x1C100; '1' and up: identity at 0x1F80
    uint16_t softwareVersion = 0x0530; // ImageVersion: 0x0530 is software 5.30
    bool biosMode = false;            // running the boot loader
    int baud = 9600;                  // pacing of the pseudo-terminal front end
    int bootMs = 2000;                // unreachable for this long after a restart
    int commandTimeoutMs = 50;        // a command whose parameters stop this long is abandoned

    // Identity items of the DOT reply besides serial and version.
    int firmwareVersion = 110;
    int hardwareId = 3;
    int biosVersion = 0x0200;         // 02.00, in the 0xMMmm form of versions
    int extendedBiosId = 1;
    int inputChannels = 32;
    int outputChannels = 48;
    std::array<uint8_t, 4> inputModules{0x22, 0x11, 0x00, 0x00};
    std::array<uint8_t, 4> outputModules{0x11, 0x10, 0x00, 0x00};
    bool answersText = true;          // false: ignores DOT commands (older software)

    // The I/O-interface module in front of the mainboard, when present.
    IoModuleOptions ioModule;

    // Faults.
    bool noAnswer = false;            // ignores everything it receives
    int corruptChecksumEvery = 0;     // every Nth block read carries a wrong checksum
    int dropByteEvery = 0;            // every Nth byte the instrument sends is lost
    bool writeLocked = false;         // its settings locked: block writes and gains refused
    LineNoise lineNoise;              // random faults of the line, both directions
};

} // namespace qv::sim
