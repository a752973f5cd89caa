// The in-place conversions of an image to the layouts of software 5.00 and
// 5.10. The values are what those software versions expect at first start;
// words we do not interpret are set exactly as given, nothing more.
#include "config_image.h"

namespace qv {

bool ConfigImage::upgradeTo500(const DefaultTables& tables)
{
    // All or nothing: a half-upgraded image would claim 5.00 with old tables.
    if (!UnusableDefaultTables(tables).empty())
        return false;

    for (int p = 0; p < kPresetCount; ++p) {
        const int o = OptionsBlock(p);
        const int e = ExtensionBlock(p);
        fill(e, kBlockSize, 0);
        setWord(o + 0x08, 0);
        setWord(o + 0x0A, 0);
        setWord(o + 0x12, 0x0050);
        setWord(o + 0x24, 0);
        setWord(o + 0x28, 0);
        setWord(e + 0x7C, 0xFFF1); // SUM -3 dB
        setWord(e + 0x7E, 0xFFF1);
        setWord(e + 0x0E, 0x0602);
        setWord(e + 0x10, 0x0055);
        setWord(o + 0x00, 0x029D);
    }

    fill(0x3F80, 0x10, 0);
    for (int digit = 0; digit < 4; ++digit)
        setWord(LockCodeAdr + 2 * digit, 0x0030); // "0000": lock disabled
    setByte(0x3F93, 0); // start-up preset 1
    setByte(0x3F81, 1); // start-up application "Full Feature Mode"
    fill(0x3FA6, 4, 0);
    fill(0x0016, 8, 0);

    put(kColourTableAdr, tables.colour);
    put(kFontAdr, tables.font);
    put(kLeqScaleAdr, tables.leqM);
    put(kDmu1ScaleAdr, tables.dmu1);
    put(kDmu2ScaleAdr, tables.dmu2);

    setImageVersion(kVersion500);
    trailer_.checksum = 0;
    return true;
}

bool ConfigImage::upgradeTo510()
{
    // Built on the 5.00 layout; on an older image it would mix two layouts.
    if (imageVersion() < kVersion500)
        return false;

    const uint8_t systemWords[] = {0x00, 0x48, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xC4, 0x00, 0x00, 0x00, 0x0F};
    put(0x0004, systemWords); // 0x0004-0x0013; 0x0014-0x0015 stay
    fill(0x0016, 8, 0);
    setWord(0x001E, 0x6AC6);

    for (int p = 0; p < kPresetCount; ++p) {
        const int e = ExtensionBlock(p);
        setWord(e + 0x00, 0x0507);
        setWord(e + 0x02, 0x0507);
        setWord(e + 0x04, 0);
    }

    setByte(0x3F80, 0);
    setByte(0x3F81, 1);
    setWord(0x3F9C, 0x0001);
    fill(0x3FA6, 4, 0);
    const uint8_t tail[] = {0x00, 0x14, 0x03, 0xE8, 0x00, 0x07}; // 20, 1000, backlight 7
    put(0x3FAA, tail);

    // Inputs 49 and 50 are labelled "LMIX" and "RMIX" in every preset.
    const uint8_t mixLabels[] = {0x4D, 0x4C, 0x58, 0x49, 0x4D, 0x52, 0x58, 0x49};
    for (int p = 0; p < kPresetCount; ++p) {
        put(LabelBlock(p) + 0x40, mixLabels);
        const int mainOption = OptionsBlock(p);
        setBit(mainOption + 1, 4, false); // surround display style 2
        setBit(mainOption + 1, 5, true);
    }

    setImageVersion(kVersion510);
    trailer_.checksum = 0;
    return true;
}

} // namespace qv
