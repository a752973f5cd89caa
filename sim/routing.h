#pragma once

#include <cstdint>
#include <vector>

namespace qv::sim {

inline constexpr int kOutputs = 96;
inline constexpr int kInputs = 88;
inline constexpr int kPresets = 11;

// Whether the instrument can route input to output (numbers from 1). Its
// own copy of the crosspoints it cannot route: PPM channels cannot feed
// themselves, inputs 49 and 50 became routable with software 5.10,
// outputs 63 and 64 take no input, outputs 55-62 only a few.
bool canRoute(int input, int output, uint16_t softwareVersion);

// The routing byte of an output (from 1) in preset 1-11 in configuration
// memory: the input index from 0 in bits 0-6, 0x7F for none, pair-reversed.
uint32_t routingByteAddress(int preset, int output);
// The input number stored for an output, 0 for none.
int storedSource(const std::vector<uint8_t>& memory, int preset, int output);
void storeSource(std::vector<uint8_t>& memory, int preset, int output, int input);

} // namespace qv::sim
