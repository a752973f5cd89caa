#include "routing.h"

#include "default_memory.h"

namespace qv::sim {

namespace {

constexpr uint16_t kInputs49And50Routable = 0x0510;
constexpr uint8_t kNoSource = 0x7F;

uint32_t routingBlock(int preset)
{
    return kConfigImage + presetLabelBlock(preset) + 0x80;
}

} // namespace

bool canRoute(int input, int output, uint16_t softwareVersion)
{
    if (input < 1 || input > kInputs || output < 1 || output > kOutputs)
        return false;
    if (input >= 57 && output == input + 8)
        return false;
    if ((input == 49 || input == 50) && softwareVersion < kInputs49And50Routable)
        return false;
    if (output == 63 || output == 64)
        return false;
    if ((input == 55 || input == 56) && (output == 49 || output == 50))
        return false;
    if (output >= 55 && output <= 62)
        return input == 51 || input == 55 || input >= 57;
    return true;
}

uint32_t routingByteAddress(int preset, int output)
{
    return routingBlock(preset) + (uint32_t(output - 1) ^ 1u);
}

int storedSource(const std::vector<uint8_t>& memory, int preset, int output)
{
    const int index = memory[routingByteAddress(preset, output)] & kNoSource;
    return index < kInputs ? index + 1 : 0;
}

void storeSource(std::vector<uint8_t>& memory, int preset, int output, int input)
{
    uint8_t& byte = memory[routingByteAddress(preset, output)];
    byte = uint8_t((byte & 0x80) | (input >= 1 ? input - 1 : kNoSource));
}

} // namespace qv::sim
