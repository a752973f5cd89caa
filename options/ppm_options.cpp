#include "ppm_options.h"

#include "config/config_image.h"

#include <algorithm>

namespace qv {

namespace {

// Bits 5-7 of the high byte, one-hot by width choice.
constexpr uint8_t kWidthBits[] = {0x40, 0x80, 0x20};
constexpr uint8_t kWidthMask = 0xE0;
constexpr uint8_t kSpacingBit = 0x10;

// Main option word bits (high byte, low byte).
constexpr int kSlowBit = 0;
constexpr int kFastBit = 1;
constexpr int kCompressorOffBit = 2;
constexpr int kCloudBit = 4;
constexpr int kSpokeBit = 5;

uint8_t High(uint16_t word) { return uint8_t(word >> 8); }
uint8_t Low(uint16_t word) { return uint8_t(word); }
uint16_t Word(uint8_t high, uint8_t low) { return uint16_t(high << 8 | low); }

} // namespace

int PpmFieldValue(uint16_t word, PpmField field)
{
    switch (field) {
    case PpmField::BarColour: return Low(word) & 0x0F;
    case PpmField::TraceColour: return (Low(word) >> 4) & 0x07;
    case PpmField::UnderloadColour: return High(word) & 0x0F;
    case PpmField::Width:
        switch (High(word) & kWidthMask) {
        case 0x20: return WidthXWide;
        case 0x40: return WidthNormal;
        default: return WidthWide;
        }
    case PpmField::Spacing: return (High(word) & kSpacingBit) ? 1 : 0;
    }
    return 0;
}

uint16_t WithPpmField(uint16_t word, PpmField field, int value)
{
    uint8_t high = High(word);
    uint8_t low = Low(word);
    switch (field) {
    case PpmField::BarColour: low = uint8_t((low & 0xF0) | (value & 0x0F)); break;
    case PpmField::TraceColour: low = uint8_t((low & 0x0F) | (value & 0x0F) << 4); break;
    case PpmField::UnderloadColour: high = uint8_t((high & 0xF0) | (value & 0x0F)); break;
    case PpmField::Width:
        high = uint8_t((high & ~kWidthMask) | kWidthBits[std::clamp(value, 0, 2)]);
        break;
    case PpmField::Spacing: high = uint8_t(value ? high | kSpacingBit : high & ~kSpacingBit); break;
    }
    return Word(high, low);
}

int PpmWordAddress(const ConfigImage& image, int channel)
{
    return image.addressTable().PPMOptionBaseAdr + 2 * channel;
}

std::optional<int> SharedPpmValue(const ConfigImage& image, int reference, const std::vector<int>& selectedInputs,
                                  PpmField field)
{
    const int value = PpmFieldValue(image.word(PpmWordAddress(image, reference)), field);
    for (int c : selectedInputs)
        if (PpmFieldValue(image.word(PpmWordAddress(image, c)), field) != value)
            return std::nullopt;
    return value;
}

std::vector<int> PpmTargets(const std::vector<int>& selectedInputs, const std::vector<int>& selectedOutputs)
{
    return selectedInputs.empty() ? selectedOutputs : selectedInputs;
}

void ApplyPpmOptions(ConfigImage& image, const std::vector<int>& targets, const std::vector<PpmChange>& changes)
{
    for (PpmField field : kPpmFields) {
        const auto change =
            std::find_if(changes.begin(), changes.end(), [field](const PpmChange& c) { return c.field == field; });
        if (change == changes.end())
            continue;
        // An empty list has nothing to store; a greyed box stores "no space".
        if (!change->value && field != PpmField::Spacing)
            continue;
        for (int c : targets) {
            const int a = PpmWordAddress(image, c);
            image.setWord(a, WithPpmField(image.word(a), field, change->value.value_or(0)));
        }
    }
}

PhaseOptions ReadPhaseOptions(const ConfigImage& image)
{
    const AddressTable t = image.addressTable();
    PhaseOptions o;
    o.colourCode = image.lowByte(t.ScopOptionBaseAdr);
    o.slow = image.bit(t.MainOptionAdr, kSlowBit);
    o.compressorOff = image.bit(t.MainOptionAdr, kCompressorOffBit);
    o.spoke = image.bit(t.MainOptionAdr + 1, kSpokeBit);
    return o;
}

void ApplyPhaseOptions(ConfigImage& image, const PhaseOptions& o)
{
    const AddressTable t = image.addressTable();
    image.setLowByte(t.ScopOptionBaseAdr, uint8_t(o.colourCode));
    image.setBit(t.MainOptionAdr, kSlowBit, o.slow);
    image.setBit(t.MainOptionAdr, kFastBit, !o.slow);
    image.setBit(t.MainOptionAdr, kCompressorOffBit, o.compressorOff);
    image.setBit(t.MainOptionAdr + 1, kCloudBit, !o.spoke);
    image.setBit(t.MainOptionAdr + 1, kSpokeBit, o.spoke);
}

} // namespace qv
