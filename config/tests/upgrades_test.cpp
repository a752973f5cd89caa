#include "config/config_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

// Default tables with a recognisable fill each, so a test sees which landed where.
struct TestTables {
    std::vector<uint8_t> colour = std::vector<uint8_t>(256, 0xC1);
    std::vector<uint8_t> font = std::vector<uint8_t>(2816, 0xF0);
    std::vector<uint8_t> leqM = std::vector<uint8_t>(256, 0x11);
    std::vector<uint8_t> dmu1 = std::vector<uint8_t>(256, 0xD1);
    std::vector<uint8_t> dmu2 = std::vector<uint8_t>(256, 0xD2);
    DefaultTables tables() const { return {colour, font, leqM, dmu1, dmu2}; }
};

// A 4.x image in which every byte is set, so anything an upgrade leaves
// alone is still visible afterwards.
ConfigImage OldImage()
{
    ConfigImage::Bytes bytes;
    for (size_t k = 0; k < bytes.size(); ++k)
        bytes[k] = uint8_t(0xA5 ^ (k * 7));
    IdentityTrailer trailer;
    trailer.version = 0x0480;
    trailer.checksum = 0x12345678;
    ConfigImage image;
    image.replace(bytes, trailer);
    return image;
}

bool AllBytes(const ConfigImage& image, int from, int count, uint8_t value)
{
    for (int a = from; a < from + count; ++a)
        if (image.byte(a) != value)
            return false;
    return true;
}

TEST(UpgradeTo500, ConvertsEveryPreset)
{
    const TestTables defaults;
    ConfigImage image = OldImage();
    ASSERT_TRUE(image.upgradeTo500(defaults.tables()));

    for (int p = 0; p < kPresetCount; ++p) {
        SCOPED_TRACE(p);
        const int o = OptionsBlock(p);
        const int e = ExtensionBlock(p);
        EXPECT_EQ(image.word(o + 0x00), 0x029D);
        EXPECT_EQ(image.word(o + 0x08), 0);
        EXPECT_EQ(image.word(o + 0x0A), 0);
        EXPECT_EQ(image.word(o + 0x12), 0x0050);
        EXPECT_EQ(image.word(o + 0x24), 0);
        EXPECT_EQ(image.word(o + 0x28), 0);
        EXPECT_EQ(image.word(e + 0x0E), 0x0602);
        EXPECT_EQ(image.word(e + 0x10), 0x0055);
        EXPECT_EQ(image.word(e + 0x7C), 0xFFF1);
        EXPECT_EQ(image.word(e + 0x7E), 0xFFF1);
        EXPECT_TRUE(AllBytes(image, e + 0x12, 0x7C - 0x12, 0)) << "the rest of the extension block is cleared";
        EXPECT_TRUE(AllBytes(image, e, 0x0E, 0));
    }

    EXPECT_TRUE(AllBytes(image, 0x3F82, 0x0E, 0));
    EXPECT_EQ(image.word(0x3F80), 0x0001) << "start-up application Full Feature Mode";
    EXPECT_EQ(image.word(0x3F92), OldImage().word(0x3F92) & 0xFF00) << "start-up preset 1";
    for (int digit = 0; digit < 4; ++digit)
        EXPECT_EQ(image.word(LockCodeAdr + 2 * digit), 0x0030);
    EXPECT_TRUE(AllBytes(image, 0x3FA6, 4, 0));
    EXPECT_TRUE(AllBytes(image, 0x0016, 8, 0));

    EXPECT_TRUE(AllBytes(image, 0x0400, 256, 0xC1));
    EXPECT_TRUE(AllBytes(image, 0x3400, 2816, 0xF0));
    EXPECT_TRUE(AllBytes(image, 0x0C00, 256, 0x11));
    EXPECT_TRUE(AllBytes(image, 0x1A00, 256, 0xD1));
    EXPECT_TRUE(AllBytes(image, 0x1B00, 256, 0xD2));

    EXPECT_EQ(image.imageVersion(), 0x0500);
    EXPECT_EQ(image.trailer().checksum, 0u);
    EXPECT_TRUE(image.modified());
}

TEST(UpgradeTo500, LeavesLabelsRoutingNamesAndScalesAlone)
{
    const TestTables defaults;
    const ConfigImage before = OldImage();
    ConfigImage image = before;
    ASSERT_TRUE(image.upgradeTo500(defaults.tables()));

    for (int p = 0; p < kPresetCount; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(image.presetName(p), before.presetName(p));
        for (int n = 1; n <= kInputCount; ++n)
            EXPECT_EQ(image.inputLabel(p, n), before.inputLabel(p, n));
        for (int o = 0; o < kOutputCount; ++o)
            EXPECT_EQ(image.routingByte(p, o), before.routingByte(p, o));
    }
    for (int n = 1; n <= kOutputCount; ++n)
        EXPECT_EQ(image.outputLabel(n), before.outputLabel(n));
    for (int a = 0x0500; a < 0x0C00; ++a)
        ASSERT_EQ(image.byte(a), before.byte(a)) << "scales 1 to 7, offset " << a;

    // The scale number byte sits right before a word the upgrade sets; it
    // stays as it was (only its meaning moves to the high nibble).
    EXPECT_EQ(image.byte(0x0111), before.byte(0x0111));
}

TEST(UpgradeTo500, UnusableDefaultTableChangesNothing)
{
    TestTables defaults;
    defaults.dmu2.clear();
    defaults.font.resize(2815);
    EXPECT_EQ(UnusableDefaultTables(defaults.tables()), (std::vector<std::string>{"Font", "DMU2"}));

    ConfigImage image = OldImage();
    EXPECT_FALSE(image.upgradeTo500(defaults.tables()));
    EXPECT_EQ(image.bytes(), OldImage().bytes());
    EXPECT_EQ(image.trailer(), OldImage().trailer());
    EXPECT_FALSE(image.modified());
}

TEST(UpgradeTo510, ConvertsEveryPresetOfA500Image)
{
    const TestTables defaults;
    ConfigImage image = OldImage();
    ASSERT_TRUE(image.upgradeTo500(defaults.tables()));
    image.trailer().checksum = 0xCAFE;
    const ConfigImage at500 = image;
    ASSERT_TRUE(image.upgradeTo510());

    const uint8_t system[] = {0x00, 0x48, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xC4, 0x00, 0x00, 0x00, 0x0F};
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(image.byte(0x0004 + k), system[k]) << k;
    EXPECT_EQ(image.word(0x0014), at500.word(0x0014)) << "not part of the upgrade";
    EXPECT_TRUE(AllBytes(image, 0x0016, 8, 0));
    EXPECT_EQ(image.word(0x001E), 0x6AC6);

    for (int p = 0; p < kPresetCount; ++p) {
        SCOPED_TRACE(p);
        const int e = ExtensionBlock(p);
        EXPECT_EQ(image.word(e + 0x00), 0x0507);
        EXPECT_EQ(image.word(e + 0x02), 0x0507);
        EXPECT_EQ(image.word(e + 0x04), 0);
        EXPECT_EQ(image.inputLabel(p, 49), "LMIX");
        EXPECT_EQ(image.inputLabel(p, 50), "RMIX");
        const uint8_t mainLow = image.byte(OptionsBlock(p) + 1);
        EXPECT_EQ(mainLow & 0x30, 0x20) << "surround display style 2";
        EXPECT_EQ(mainLow & ~0x30, at500.byte(OptionsBlock(p) + 1) & ~0x30);
        EXPECT_EQ(image.byte(OptionsBlock(p)), at500.byte(OptionsBlock(p)));
    }

    EXPECT_EQ(image.word(0x3F80), 0x0001);
    EXPECT_EQ(image.word(0x3F9C), 0x0001);
    EXPECT_TRUE(AllBytes(image, 0x3FA6, 4, 0));
    EXPECT_EQ(image.word(0x3FAA), 20);
    EXPECT_EQ(image.word(0x3FAC), 1000);
    EXPECT_EQ(image.word(0x3FAE), 7);
    EXPECT_EQ(image.imageVersion(), 0x0510);
    EXPECT_EQ(image.trailer().checksum, 0u);
}

TEST(UpgradeTo510, RefusesAnImageBelow500)
{
    ConfigImage image = OldImage();
    EXPECT_FALSE(image.upgradeTo510());
    EXPECT_EQ(image.bytes(), OldImage().bytes());
    EXPECT_EQ(image.imageVersion(), 0x0480);
}

} // namespace
} // namespace qv
