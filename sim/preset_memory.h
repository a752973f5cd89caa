#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qv::sim {

// Where the running software finds a preset's settings in configuration
// memory (presets 1-11, outputs by number).

// The 128-byte options block of a preset.
uint32_t presetOptionsBlock(int preset);
inline constexpr uint32_t kOptionsBlockSize = 128;

// Outputs 33-48 keep their gain in the preset, a signed word in tenths of a dB.
inline constexpr int kFirstGainOutput = 33;
inline constexpr int kLastGainOutput = 48;
bool hasStoredGain(int output);
uint32_t outputGainAddress(int preset, int output);
int storedGain(const std::vector<uint8_t>& memory, int preset, int output);
void storeGain(std::vector<uint8_t>& memory, int preset, int output, int tenths);

// The 10-character name of a preset, as read from its pair-reversed text.
std::string storedPresetName(const std::vector<uint8_t>& memory, int preset);

} // namespace qv::sim
