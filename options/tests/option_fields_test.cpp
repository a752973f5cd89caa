// The option fields as the dialogs read and change them: bit positions,
// the gain field's text, the lock code and the version-dependent lists.
#include "config/config_image.h"
#include "options/colour_lists.h"
#include "options/gain_options.h"
#include "options/lock_code.h"
#include "options/ppm_options.h"
#include "options/preset_options.h"

#include <gtest/gtest.h>

namespace {

using qv::PpmField;

TEST(PpmOptionWord, FieldsReadAndWriteTheirOwnBits)
{
    struct Case {
        uint16_t word;
        PpmField field;
        int read;
        int written;
        uint16_t after;
    };
    const Case cases[] = {
        {0x5AF3, PpmField::BarColour, 3, 6, 0x5AF6},
        {0x5AF3, PpmField::TraceColour, 7, 2, 0x5A23}, // bit 7 read as 0, written as 0
        {0x5A83, PpmField::TraceColour, 0, 7, 0x5A73},
        {0x5AF3, PpmField::UnderloadColour, 10, 1, 0x51F3},
        {0x5AF3, PpmField::Spacing, 1, 0, 0x4AF3},
        {0x4AF3, PpmField::Spacing, 0, 1, 0x5AF3},
        {0x5AF3, PpmField::Width, qv::WidthNormal, qv::WidthXWide, 0x3AF3},
        {0x3AF3, PpmField::Width, qv::WidthXWide, qv::WidthWide, 0x9AF3},
        {0x9AF3, PpmField::Width, qv::WidthWide, qv::WidthNormal, 0x5AF3},
        {0x1AF3, PpmField::Width, qv::WidthWide, qv::WidthNormal, 0x5AF3}, // no bit: "Wide"
        {0xEAF3, PpmField::Width, qv::WidthWide, qv::WidthXWide, 0x2AF3},  // all bits: "Wide"
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::PpmFieldValue(c.word, c.field), c.read) << std::hex << c.word << " field " << int(c.field);
        EXPECT_EQ(qv::WithPpmField(c.word, c.field, c.written), c.after) << std::hex << c.word << " field "
                                                                         << int(c.field);
    }
}

TEST(PpmColourLists, FollowTheImageVersion)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ(qv::PpmColourNames(0x0500), (Names{"Black", "Green", "Yellow", "Blue", "Fuchsia", "Aqua", "White"}));
    EXPECT_EQ(qv::PpmColourNames(0x0520), (Names{"None", "Green", "Yellow", "Blue", "Fuchsia", "Aqua", "Red"}));
    EXPECT_EQ(qv::PpmColourNames(0x0545),
              (Names{"Black", "Green", "Yellow", "Blue", "Fuchsia", "Aqua", "White", "Red"}));
    EXPECT_EQ(qv::PpmColourListLines(0x0544), 8);
    EXPECT_EQ(qv::PpmColourListLines(0x0545), 9);
    EXPECT_EQ(qv::PpmColourRgb("None"), 0x000000u);
    EXPECT_EQ(qv::PpmColourRgb("Fuchsia"), 0xFF00FFu);
    EXPECT_EQ(qv::CodeColourIndexOr(0, 2), 1) << "an unknown code shows the fallback";
    EXPECT_EQ(qv::CodeColourIndexOr(6, 2), 2);
}

TEST(GainField, ReadsStepsAndConverts)
{
    struct Case {
        const char* text;
        std::optional<std::string> up;
        std::optional<std::string> down;
        std::optional<int> tenths;
    };
    const Case cases[] = {
        {"21,0", "21,0", "20,9", 210},
        {"-20,95", "-20,85", "-21,0", -210}, // -209.5 rounds away from zero
        {"1", "1,1", "0,9", 10},
        {"0,5", "0,6", "0,4", 5},
        {"0", "0,1", "-0,1", 0},
        {"-0,1", "0,0", "-0,2", -1},
        {"3", "3,1", "2,9", 30},
        {"-4,5", "-4,4", "-4,6", -45},
        {"30", "21,0", "21,0", 210}, // out of range: clamped without a word
        {"1,25", "1,35", "1,15", 13},
        {"1.5", "1,6", "1,4", 15}, // a point reads as well
        {"+2", "2,1", "1,9", 20},
        {"abc", std::nullopt, std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt, std::nullopt},
        {"1,2,3", std::nullopt, std::nullopt, std::nullopt},
        {"--1", std::nullopt, std::nullopt, std::nullopt},
        {"1e3", std::nullopt, std::nullopt, std::nullopt},
        // Near zero the field text stays fixed notation, which reads back.
        {"0,10000001", "0,20000001", "0,00000001", 1},
        {"0,00005", "0,10005", "-0,09995", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qv::StepGainText(c.text, +1), c.up) << c.text;
        EXPECT_EQ(qv::StepGainText(c.text, -1), c.down) << c.text;
        EXPECT_EQ(qv::GainTenths(c.text), c.tenths) << c.text;
    }
}

TEST(GainField, StoredOfflineOnlyWhereAGainWordExists)
{
    qv::ConfigImage image;
    image.setImageVersion(0x0530);
    image.selectPreset(2);
    const int base = image.addressTable().OutputGainBaseAdr;
    const auto before = image.bytes();

    EXPECT_EQ(qv::StoreGain(image, qv::GainMode::Output, {1, 33, 40, 60}, 30), (std::vector<int>{33, 40}));
    auto expected = before;
    expected[size_t(base + 1)] = 0x1E;
    expected[size_t(base + 15)] = 0x1E;
    EXPECT_EQ(image.bytes(), expected) << "outputs 1 and 60 have no gain word";

    EXPECT_EQ(qv::StoreGain(image, qv::GainMode::Master, {34, 35, 36}, -10), (std::vector<int>{34, 35, 36}));
    const int master = image.addressTable().GroupGainMasterAdr;
    expected[size_t(master)] = 0xFF;
    expected[size_t(master + 1)] = 0xF6;
    EXPECT_EQ(image.bytes(), expected);

    EXPECT_TRUE(qv::StoreGain(image, qv::GainMode::Digital, {}, 50).empty());
    EXPECT_EQ(image.bytes(), expected) << "no output selected, nothing written";
}

TEST(LockCode, StoredCodesAndTypedOnes)
{
    struct Case {
        std::array<uint16_t, 4> words;
        const char* shown;
    };
    const Case cases[] = {
        {{0x0031, 0x0032, 0x0033, 0x0034}, "1234"},
        {{0x0030, 0x0030, 0x0030, 0x0030}, "0000"},
        {{0x0031, 0x0132, 0x0033, 0x0034}, "0000"}, // a high byte set
        {{0x0031, 0x0041, 0x0033, 0x0034}, "0000"}, // a letter
        {{0x0000, 0x0000, 0x0000, 0x0000}, "0000"},
    };
    for (const Case& c : cases) {
        qv::ConfigImage image;
        for (int k = 0; k < 4; ++k)
            image.setWord(qv::LockCodeAdr + 2 * k, c.words[size_t(k)]);
        image.setModified(false);
        EXPECT_EQ(qv::StoredLockCode(image), c.shown);
        EXPECT_FALSE(image.modified()) << "reading changes nothing";
    }

    qv::ConfigImage image;
    for (const char* bad : {"123", "12345", "12a4", "-123", ""}) {
        EXPECT_FALSE(qv::StoreLockCode(image, bad)) << bad;
        EXPECT_FALSE(image.modified()) << bad;
    }
    ASSERT_TRUE(qv::StoreLockCode(image, "0815"));
    EXPECT_EQ(image.word(qv::LockCodeAdr), 0x0030);
    EXPECT_EQ(image.word(qv::LockCodeAdr + 6), 0x0035);
}

TEST(ScaleNumber, NibbleFollowsTheImageVersion)
{
    for (const auto& [version, stored, shown, written] :
         {std::tuple{0x0480, 0x5A, 10, 0x53}, std::tuple{0x0500, 0x5A, 5, 0x3A}}) {
        qv::ConfigImage image;
        image.setImageVersion(uint16_t(version));
        image.selectPreset(4);
        image.setByte(image.addressTable().ScaleNoAdr, uint8_t(stored));
        EXPECT_EQ(qv::StoredScaleNumber(image), shown) << std::hex << version;
        qv::StoreScaleNumber(image, 3);
        EXPECT_EQ(image.byte(image.addressTable().ScaleNoAdr), written) << std::hex << version;
    }
}

} // namespace
