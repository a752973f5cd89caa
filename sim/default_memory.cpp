#include "default_memory.h"

#include "data/embedded_data.h"
#include "instrument.h"
#include "routing.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>

namespace qv::sim {

namespace {

// xorshift32: enough to make program memory look like code and be checkable.
class PatternGenerator {
public:
    explicit PatternGenerator(uint32_t seed) : state_(seed ? seed : 0x2545F491u) {}
    uint8_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return uint8_t(state_ >> 24);
    }

private:
    uint32_t state_;
};

void fillProgram(std::vector<uint8_t>& memory, uint16_t softwareVersion)
{
    // Different software, different program: a backup of one is not the other.
    PatternGenerator generator(0x51D0C0DEu ^ (uint32_t(softwareVersion) << 8));
    for (uint32_t a = 0; a < kProgramEnd; ++a)
        memory[a] = generator.next();
}

void putBytes(std::vector<uint8_t>& memory, uint32_t address, const std::vector<uint8_t>& bytes)
{
    std::copy(bytes.begin(), bytes.end(), memory.begin() + address);
}

constexpr std::string_view kVersionText = "SOFTWARE VERSION ";

void putVersionMarker(std::vector<uint8_t>& memory, uint16_t softwareVersion)
{
    // Quiet surroundings: the host's scan does not back up after a partial
    // match, so stray marker-like bytes right before it could hide it.
    std::fill_n(memory.begin() + kVersionArea, kVersionAreaSize, uint8_t(0));
    std::string text = std::string(kVersionText) + versionDigits(softwareVersion);
    text.resize(std::max<size_t>(24, (text.size() + 4) & ~size_t(1)), ' ');
    putBytes(memory, kVersionMarkerAt, pairReversed(text));
}

// Offsets in the configuration image of what a user sees first: labels,
// preset names and the routing of each preset.
constexpr uint32_t kOutputLabels = 0x0E00;  // outputs 1-96, 4 characters each
constexpr uint32_t kInputLabels = 0x1000;   // inputs 1-32
constexpr uint32_t kPresetNames = 0x2480;   // 10 characters each
std::vector<uint8_t> toBytes(std::span<const uint8_t> item)
{
    return {item.begin(), item.end()};
}
void putText(std::vector<uint8_t>& memory, uint32_t offset, std::string text, size_t length)
{
    text.resize(length, ' ');
    putBytes(memory, kConfigImage + offset, pairReversed(text));
}

// A plain, legible configuration: labels, preset names, and each output
// routed from a legal input.
void putConfiguration(std::vector<uint8_t>& memory, char revision)
{
    std::fill_n(memory.begin() + kConfigImage, kConfigImageSize, uint8_t(0));
    for (int n = 1; n <= 64; ++n)
        putText(memory, kOutputLabels + 4 * uint32_t(n - 1), (n < 10 ? "Out" : "O") + std::to_string(n), 4);
    for (int c = 0; c < 32; ++c) // shared by outputs 65-96 and inputs 57-88
        putText(memory, kOutputLabels + 4 * uint32_t(64 + c), (c < 9 ? "PPM" : "P") + std::to_string(c + 1), 4);
    for (int n = 1; n <= 32; ++n)
        putText(memory, kInputLabels + 4 * uint32_t(n - 1), "In" + std::to_string(n), 4);
    for (int preset = 1; preset <= kPresets; ++preset) {
        putText(memory, presetLabelBlock(preset), std::string(128, ' '), 128);
        putText(memory, kPresetNames + 10 * uint32_t(preset - 1), "Preset " + std::to_string(preset), 10);
        for (int output = 1; output <= kOutputs; ++output) {
            int input = (output - 1 + preset - 1) % 32 + 1; // inputs 1-32
            if (output >= 55 && output <= 62)
                input = 57 + (output - 55); // phase outputs take PPM inputs
            else if (output == 63 || output == 64)
                input = 0; // outputs 63 and 64 take no input
            storeSource(memory, preset, output, input);
        }
    }
    // The display's colour table and character set, as the factory loads them.
    putBytes(memory, kLcdColours, toBytes(EmbeddedData("Colour")));
    putBytes(memory, kLcdFont, toBytes(EmbeddedData("Font")));
    // Byte 19 of block 0x1C100 is also the revision character.
    memory[kRevisionByte] = uint8_t(revision);
}

void putIdentity(std::vector<uint8_t>& memory, const InstrumentOptions& options)
{
    const std::vector<uint8_t> word{uint8_t(options.serial >> 8), uint8_t(options.serial)};
    if (uint8_t(options.revision) >= uint8_t('1')) {
        putBytes(memory, kIdentityNew, word);
    } else {
        // One program reads bytes 0-1 of this block, the other bytes 2-3.
        putBytes(memory, kIdentityOld, word);
        putBytes(memory, kIdentityOld + 2, word);
    }
}

} // namespace

uint32_t scaleSlotAddress(int slot)
{
    constexpr uint32_t kLeq = 0x1CC00;
    constexpr uint32_t kDmu = 0x1DA00; // "1630 I", then "1630 II"
    if (slot <= 7)
        return 0x1C500 + uint32_t(slot - 1) * kScaleSlotSize;
    return slot == 8 ? kLeq : kDmu + uint32_t(slot - 9) * kScaleSlotSize;
}

uint32_t presetLabelBlock(int preset)
{
    return preset == 1 ? 0x1080 : 0x2580 + uint32_t(preset - 2) * 0x180;
}

std::string versionDigits(uint16_t imageVersion)
{
    char text[8];
    std::snprintf(text, sizeof text, "%X.%02X", unsigned(imageVersion >> 8), unsigned(imageVersion & 0xFF));
    return text;
}

std::vector<uint8_t> pairReversed(const std::string& text)
{
    std::vector<uint8_t> bytes(text.begin(), text.end());
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

std::optional<uint16_t> versionInMemory(const std::vector<uint8_t>& memory)
{
    if (memory.size() < kVersionArea + kVersionAreaSize)
        return std::nullopt;
    const std::vector<uint8_t> area = pairReversed(
        std::string(memory.begin() + kVersionArea, memory.begin() + kVersionArea + kVersionAreaSize));
    const std::string text(area.begin(), area.end());
    const size_t at = text.find(kVersionText);
    if (at == std::string::npos)
        return std::nullopt;
    // "M.mm": the digits of the version are the hexadecimal digits of its code.
    unsigned major = 0;
    unsigned minor = 0;
    int majorDigits = 0;
    size_t i = at + kVersionText.size();
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && majorDigits < 2; ++i, ++majorDigits)
        major = major * 16 + unsigned(text[i] - '0');
    if (majorDigits == 0 || i + 2 >= text.size() || text[i] != '.' ||
        !std::isdigit(static_cast<unsigned char>(text[i + 1])) || !std::isdigit(static_cast<unsigned char>(text[i + 2])))
        return std::nullopt;
    minor = unsigned(text[i + 1] - '0') * 16 + unsigned(text[i + 2] - '0');
    return uint16_t(major << 8 | minor);
}

std::vector<uint8_t> defaultMemory(const InstrumentOptions& options)
{
    std::vector<uint8_t> memory(Instrument::kMemorySize, 0);
    fillProgram(memory, options.softwareVersion);
    putVersionMarker(memory, options.softwareVersion);
    putConfiguration(memory, options.revision);
    putIdentity(memory, options);
    // LCD video memory and everything above stay zero.
    return memory;
}

} // namespace qv::sim
