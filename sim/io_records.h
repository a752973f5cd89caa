#pragma once

#include "instrument_options.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::sim {

// The I/O module's binary replies, without a line end. Kept apart from the
// host's decoder on purpose, like the instrument's wire codes.
using IoBytes = std::vector<uint8_t>;

// Sum modulo 256, XOR 0x55.
uint8_t ioChecksum(const uint8_t* data, size_t n);

// "@ATSTAT": length, fields, checksum. replyNumber counts the status replies
// from 1, for the faults that change with each reply.
IoBytes statusRecord(const IoModuleOptions& io, uint16_t serial, int replyNumber);

// "@ATETH0": length, DHCP, addresses, MAC bytes, checksum.
IoBytes ethernetRecord(const IoModuleOptions& io);

// "@ATRDMB": one byte, count, checksum, data. Block 32 is the mainboard
// information; any other block reads as blank.
IoBytes mainboardBlock(const IoModuleOptions& io, const InstrumentOptions& instrument, uint16_t address);

} // namespace qv::sim
