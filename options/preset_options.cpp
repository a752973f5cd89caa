#include "preset_options.h"

#include "config/config_image.h"
#include "config/label_text.h"

namespace qv {

namespace {
constexpr int kPeakHoldBit = 3;
constexpr int kDualBit = 6;
constexpr uint16_t kHighNibbleScaleFrom = 0x0500;
} // namespace

int StoredStartupPreset(const ConfigImage& image)
{
    const int p = image.lowByte(StartupPresetAdr);
    return p < kPresetCount ? p : 0;
}

int StoredStartupApplication(const ConfigImage& image)
{
    const int a = image.lowByte(StartupApplicationAdr);
    return a < int(kStartupApplications.size()) ? a : 0;
}

void StoreStartup(ConfigImage& image, int preset, int application)
{
    image.setLowByte(StartupPresetAdr, uint8_t(preset));
    image.setLowByte(StartupApplicationAdr, uint8_t(application));
}

std::string ScaleEntry(const ConfigImage& image, int slot)
{
    // An empty slot holds no text; its bytes show as blanks.
    std::string name = image.scaleName(slot - 1);
    for (char& c : name)
        if (!IsLegalTextCharacter(c))
            c = ' ';
    return "Scale #" + std::to_string(slot) + " - " + name;
}

int StoredScaleNumber(const ConfigImage& image)
{
    const uint8_t b = image.byte(image.addressTable().ScaleNoAdr);
    return image.imageVersion() < kHighNibbleScaleFrom ? b & 0x0F : b >> 4;
}

void StoreScaleNumber(ConfigImage& image, int number)
{
    const int a = image.addressTable().ScaleNoAdr;
    const uint8_t b = image.byte(a);
    const uint8_t n = uint8_t(number & 0x0F);
    image.setByte(a, image.imageVersion() < kHighNibbleScaleFrom ? uint8_t((b & 0xF0) | n)
                                                                 : uint8_t((b & 0x0F) | n << 4));
}

ScaleFlags StoredScaleFlags(const ConfigImage& image)
{
    const int a = image.addressTable().ScaleOptionAdr + 1;
    return {image.bit(a, kPeakHoldBit), image.bit(a, kDualBit)};
}

void StoreScaleFlags(ConfigImage& image, const ScaleFlags& flags)
{
    const int a = image.addressTable().ScaleOptionAdr + 1;
    image.setBit(a, kPeakHoldBit, flags.peakHold);
    image.setBit(a, kDualBit, flags.dual);
}

} // namespace qv
