#pragma once

#include <cstdint>

namespace qv {

// The configuration image: instrument addresses 0x1C000 to 0x1FFFF, one byte
// per offset, 16-bit cells stored big-endian.
inline constexpr int kImageSize = 0x4000;
inline constexpr uint32_t kImageBaseAddress = 0x1C000;

// The ImageVersions whose layouts the upgrades convert to.
inline constexpr uint16_t kVersion500 = 0x0500;
inline constexpr uint16_t kVersion510 = 0x0510;

inline constexpr int kPresetCount = 11;
inline constexpr int kInputCount = 88;
inline constexpr int kOutputCount = 96;
inline constexpr int kLabelLength = 4;       // characters (2 words)
inline constexpr int kPresetNameLength = 10; // characters (5 words)

// The four 128-byte blocks of preset index p (0..10). Preset 1's blocks lie
// apart from the others, so never step from one preset to the next by hand.
inline constexpr int OptionsBlock(int p)
{
    return p == 0 ? 0x0100 : 0x2500 + (p - 1) * 0x180;
}
inline constexpr int LabelBlock(int p)
{
    return p == 0 ? 0x1080 : 0x2580 + (p - 1) * 0x180;
}
inline constexpr int RoutingBlock(int p)
{
    return LabelBlock(p) + 0x80;
}
inline constexpr int ExtensionBlock(int p)
{
    return 0x1400 + p * 0x80;
}
inline constexpr int kBlockSize = 0x80;

// Fields that do not follow the selected preset.
inline constexpr int PresetNameBaseAdr = 0x2480;
inline constexpr int OutputLabelBaseAdr = 0x0E00;
inline constexpr int SharedLabelBaseAdr = 0x0F00; // outputs 65-96 = inputs 57-88
inline constexpr int InputLabelBaseAdr = 0x1000;
inline constexpr int StartupPresetAdr = 0x3F92;
inline constexpr int StartupApplicationAdr = 0x3F80;
inline constexpr int LockCodeAdr = 0x3F9E;
inline constexpr int SumModeAdr = 0x012B;
inline constexpr int OffsetStandardAdr = 0x010A;

// The two places of the backlight byte setting; the image version decides.
inline constexpr int kBacklightAdrOld = 0x010C;
inline constexpr int kBacklightAdrNew = 0x3FAE;

// Default-table regions the 5.00 upgrade overwrites.
inline constexpr int kColourTableAdr = 0x0400;
inline constexpr int kColourTableSize = 256;
inline constexpr int kFontAdr = 0x3400;
inline constexpr int kFontSize = 2816;

// Scale slots by the scale record's key number: "Key 1" to "Key 7", "Leq",
// "1630 I", "1630 II". Each holds 128 words (256 bytes).
inline constexpr int kScaleSlotCount = 10;
inline constexpr int kScaleSlotSize = 256;
inline constexpr int kScaleWords = 128;
inline constexpr int kLeqScaleAdr = 0x0C00;
inline constexpr int kDmu1ScaleAdr = 0x1A00;
inline constexpr int kDmu2ScaleAdr = 0x1B00;

// Image offset of a scale slot, or -1 for a key number outside 0..9.
inline constexpr int ScaleSlotOffset(int keyNo)
{
    if (keyNo >= 0 && keyNo <= 6)
        return 0x0500 + keyNo * 0x100;
    if (keyNo == 7)
        return kLeqScaleAdr;
    if (keyNo == 8)
        return kDmu1ScaleAdr;
    if (keyNo == 9)
        return kDmu2ScaleAdr;
    return -1;
}

} // namespace qv
