#include "preset_memory.h"

#include "default_memory.h"

namespace qv::sim {

namespace {
constexpr uint32_t kPresetNames = 0x2480;
constexpr uint32_t kNameLength = 10;
constexpr uint32_t kExtensionBlocks = 0x1400;
constexpr uint32_t kOutputGains = 0x5C; // in a preset's extension block
} // namespace

uint32_t presetOptionsBlock(int preset)
{
    return kConfigImage + (preset == 1 ? 0x0100 : 0x2500 + uint32_t(preset - 2) * 0x180);
}

bool hasStoredGain(int output)
{
    return output >= kFirstGainOutput && output <= kLastGainOutput;
}

uint32_t outputGainAddress(int preset, int output)
{
    return kConfigImage + kExtensionBlocks + uint32_t(preset - 1) * 0x80 + kOutputGains +
           2 * uint32_t(output - kFirstGainOutput);
}

int storedGain(const std::vector<uint8_t>& memory, int preset, int output)
{
    const uint32_t a = outputGainAddress(preset, output);
    return int16_t(uint16_t(memory[a] << 8 | memory[a + 1]));
}

void storeGain(std::vector<uint8_t>& memory, int preset, int output, int tenths)
{
    const uint32_t a = outputGainAddress(preset, output);
    memory[a] = uint8_t(uint16_t(tenths) >> 8);
    memory[a + 1] = uint8_t(tenths);
}

std::string storedPresetName(const std::vector<uint8_t>& memory, int preset)
{
    const uint32_t a = kConfigImage + kPresetNames + kNameLength * uint32_t(preset - 1);
    std::string name(kNameLength, ' ');
    for (uint32_t k = 0; k < kNameLength; ++k)
        name[k] = char(memory[a + (k ^ 1)]);
    return name;
}

} // namespace qv::sim
