#include "config_image.h"

#include <algorithm>

namespace qv {

namespace {

bool ValidPreset(int p)
{
    return p >= 0 && p < kPresetCount;
}

} // namespace

uint8_t ConfigImage::byte(int a) const
{
    return inImage(a, 1) ? bytes_[size_t(a)] : 0;
}

void ConfigImage::setByte(int a, uint8_t v)
{
    if (!inImage(a, 1))
        return;
    bytes_[size_t(a)] = v;
    modified_ = true;
}

uint16_t ConfigImage::word(int a) const
{
    return inImage(a, 2) ? uint16_t((bytes_[size_t(a)] << 8) | bytes_[size_t(a) + 1]) : 0;
}

void ConfigImage::setWord(int a, uint16_t v)
{
    if (!inImage(a, 2))
        return;
    bytes_[size_t(a)] = uint8_t(v >> 8);
    bytes_[size_t(a) + 1] = uint8_t(v);
    modified_ = true;
}

uint8_t ConfigImage::lowByte(int a) const
{
    return inImage(a, 2) ? bytes_[size_t(a) + 1] : 0;
}

void ConfigImage::setLowByte(int a, uint8_t v)
{
    if (inImage(a, 2))
        setByte(a + 1, v);
}

bool ConfigImage::bit(int a, int bit) const
{
    return bit >= 0 && bit < 8 && (byte(a) >> bit) & 1;
}

void ConfigImage::setBit(int a, int bit, bool on)
{
    if (bit < 0 || bit >= 8 || !inImage(a, 1))
        return;
    const uint8_t mask = uint8_t(1u << bit);
    setByte(a, on ? uint8_t(byte(a) | mask) : uint8_t(byte(a) & ~mask));
}

std::string ConfigImage::readText(int a, int words) const
{
    if (words <= 0 || !inImage(a, 2 * words))
        return {};
    std::string text(size_t(2 * words), ' ');
    for (int k = 0; k < 2 * words; ++k)
        text[size_t(k)] = char(bytes_[size_t(a + (k ^ 1))]);
    return text;
}

void ConfigImage::writeText(int a, std::string_view text, int words)
{
    if (words <= 0 || !inImage(a, 2 * words))
        return;
    for (int k = 0; k < 2 * words; ++k)
        bytes_[size_t(a + (k ^ 1))] = size_t(k) < text.size() ? uint8_t(text[size_t(k)]) : uint8_t(' ');
    modified_ = true;
}

int ConfigImage::inputLabelOffset(int p, int n) const
{
    if (n >= 1 && n <= 32)
        return InputLabelBaseAdr + kLabelLength * (n - 1);
    if (n >= 33 && n <= 56)
        return ValidPreset(p) ? LabelBlock(p) + kLabelLength * (n - 33) : -1;
    if (n >= 57 && n <= kInputCount)
        return SharedLabelBaseAdr + kLabelLength * (n - 57);
    return -1;
}

std::string ConfigImage::inputLabel(int p, int n) const
{
    const int a = inputLabelOffset(p, n);
    return a < 0 ? std::string() : readText(a, kLabelLength / 2);
}

void ConfigImage::setInputLabel(int p, int n, std::string_view text)
{
    const int a = inputLabelOffset(p, n);
    if (a >= 0)
        writeText(a, text, kLabelLength / 2);
}

std::string ConfigImage::outputLabel(int n) const
{
    if (n < 1 || n > kOutputCount)
        return {};
    return readText(OutputLabelBaseAdr + kLabelLength * (n - 1), kLabelLength / 2);
}

void ConfigImage::setOutputLabel(int n, std::string_view text)
{
    if (n >= 1 && n <= kOutputCount)
        writeText(OutputLabelBaseAdr + kLabelLength * (n - 1), text, kLabelLength / 2);
}

std::string ConfigImage::presetName(int p) const
{
    return ValidPreset(p) ? readText(PresetNameBaseAdr + kPresetNameLength * p, kPresetNameLength / 2)
                          : std::string();
}

void ConfigImage::setPresetName(int p, std::string_view text)
{
    if (ValidPreset(p))
        writeText(PresetNameBaseAdr + kPresetNameLength * p, text, kPresetNameLength / 2);
}

uint8_t ConfigImage::routingByte(int p, int o) const
{
    if (!ValidPreset(p) || o < 0 || o >= kOutputCount)
        return 0;
    return byte(RoutingBlock(p) + (o ^ 1));
}

void ConfigImage::setRoutingByte(int p, int o, uint8_t v)
{
    if (ValidPreset(p) && o >= 0 && o < kOutputCount)
        setByte(RoutingBlock(p) + (o ^ 1), v);
}

int ConfigImage::source(int p, int o) const
{
    if (!ValidPreset(p) || o < 0 || o >= kOutputCount)
        return -1;
    return routingByte(p, o) & 0x7F;
}

void ConfigImage::setSource(int p, int o, int i)
{
    if (i >= 0 && i < kInputCount)
        setRoutingByte(p, o, uint8_t(i));
}

std::string ConfigImage::scaleName(int keyNo) const
{
    const int a = ScaleSlotOffset(keyNo);
    return a < 0 ? std::string() : readText(a, kLabelLength / 2);
}

bool ConfigImage::insertScale(int keyNo, std::span<const uint16_t, kScaleWords> table)
{
    const int a = ScaleSlotOffset(keyNo);
    if (a < 0)
        return false;
    for (int k = 0; k < kScaleWords; ++k)
        setWord(a + 2 * k, table[size_t(k)]);
    return true;
}

void ConfigImage::selectPreset(int p)
{
    if (ValidPreset(p))
        selectedPreset_ = p;
}

void ConfigImage::replace(const Bytes& bytes, const IdentityTrailer& trailer)
{
    bytes_ = bytes;
    trailer_ = trailer;
    selectedPreset_ = 0;
    modified_ = false;
}

void ConfigImage::fill(int a, int n, uint8_t v)
{
    if (!inImage(a, n))
        return;
    std::fill_n(bytes_.begin() + a, n, v);
    modified_ = true;
}

void ConfigImage::put(int a, std::span<const uint8_t> bytes)
{
    if (!inImage(a, int(bytes.size())))
        return;
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + a);
    modified_ = true;
}

} // namespace qv
