#include "config/config_image.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ConfigImageCells, WordsAreBigEndianAndByteSettingsAreTheLowByte)
{
    ConfigImage image;
    image.setWord(0x0100, 0x029D);
    EXPECT_EQ(image.byte(0x0100), 0x02);
    EXPECT_EQ(image.byte(0x0101), 0x9D);
    EXPECT_EQ(image.word(0x0100), 0x029D);

    image.setLowByte(0x010C, 5);
    EXPECT_EQ(image.byte(0x010C), 0x00) << "a byte setting leaves the high byte";
    EXPECT_EQ(image.byte(0x010D), 5);
    EXPECT_EQ(image.lowByte(0x010C), 5);

    image.setBit(0x0100, 6, true);
    EXPECT_EQ(image.byte(0x0100), 0x42);
    EXPECT_TRUE(image.bit(0x0100, 6));
    image.setBit(0x0100, 1, false);
    EXPECT_EQ(image.byte(0x0100), 0x40);
    EXPECT_FALSE(image.bit(0x0100, 1));
}

TEST(ConfigImageCells, PairReversedText)
{
    struct Case {
        const char* written;
        int words;
        const char* stored; // bytes from the start of the field
        const char* read;
    };
    const Case cases[] = {
        {"ABCD", 2, "BADC", "ABCD"},
        {"AB", 2, "BA  ", "AB  "},                // padded with spaces
        {"ABCDEF", 2, "BADC", "ABCD"},            // cut
        {"ABC", 2, "BA C", "ABC "},               // odd length: the pad goes first in the pair
        {"Preset 1", 5, "rPsete1   ", "Preset 1  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        ConfigImage image;
        image.writeText(0x2480, c.written, c.words);
        const std::string stored(reinterpret_cast<const char*>(&image.bytes()[0x2480]), size_t(2 * c.words));
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(image.readText(0x2480, c.words), c.read);
        EXPECT_EQ(image.byte(0x2480 + 2 * c.words), 0) << "nothing written past the field";
    }
}

TEST(ConfigImageLabels, SharedPpmChannelsAndPerPresetInputs)
{
    ConfigImage image;
    for (int c = 0; c < 32; ++c) {
        image.setOutputLabel(65 + c, "O" + std::to_string(c));
        EXPECT_EQ(image.inputLabel(0, 57 + c), image.outputLabel(65 + c)) << c;
    }
    image.setInputLabel(3, 88, "LAST");
    EXPECT_EQ(image.outputLabel(96), "LAST");
    EXPECT_EQ(image.readText(0x0F7C, 2), "LAST");

    // Inputs 33 to 56 have one label per preset; the others are global.
    image.setInputLabel(0, 33, "P1IN");
    image.setInputLabel(10, 33, "PBIN");
    image.setInputLabel(4, 56, "P5IN");
    image.setInputLabel(7, 1, "GLOB");
    EXPECT_EQ(image.inputLabel(0, 33), "P1IN");
    EXPECT_EQ(image.inputLabel(10, 33), "PBIN");
    EXPECT_EQ(image.inputLabel(5, 33), std::string(4, '\0')) << "other presets untouched";
    EXPECT_EQ(image.readText(0x1080, 2), "P1IN");
    EXPECT_EQ(image.readText(0x2580 + 9 * 0x180, 2), "PBIN");
    EXPECT_EQ(image.readText(0x2580 + 3 * 0x180 + 4 * 23, 2), "P5IN");
    for (int p = 0; p < 11; ++p) {
        EXPECT_EQ(image.inputLabel(p, 1), "GLOB");
        EXPECT_EQ(image.inputLabel(p, 57), "O0  ");
    }
    EXPECT_EQ(image.readText(0x1000, 2), "GLOB");
    image.setOutputLabel(1, "OUT1");
    EXPECT_EQ(image.readText(0x0E00, 2), "OUT1");
}

TEST(ConfigImageLabels, PresetNamesAndScaleNames)
{
    ConfigImage image;
    image.setPresetName(0, "ABC");
    image.setPresetName(10, "Eleventh preset");
    EXPECT_EQ(image.presetName(0), "ABC       ");
    EXPECT_EQ(image.presetName(10), "Eleventh p");
    EXPECT_EQ(image.readText(0x2480 + 100, 5), "Eleventh p");

    // Scale names are packed like labels at the start of each slot.
    image.writeText(0x0B00, "K7SC", 2);
    image.writeText(0x1B00, "DMU2", 2);
    EXPECT_EQ(image.scaleName(6), "K7SC");
    EXPECT_EQ(image.scaleName(9), "DMU2");
}

TEST(ConfigImageRouting, BytePositionsAndTheInstrumentFlag)
{
    struct Case {
        int p;
        int o;
        int offset;
    };
    const Case cases[] = {
        {0, 0, 0x1101}, {0, 1, 0x1100}, {0, 95, 0x115E}, {0, 94, 0x115F},
        {1, 0, 0x2601}, {10, 95, 0x2600 + 9 * 0x180 + 0x5E},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "preset " << c.p << " output " << c.o);
        ConfigImage image;
        image.setByte(c.offset, 0x80 | 42); // bit 7 belongs to the instrument
        EXPECT_EQ(image.source(c.p, c.o), 42);
        image.setSource(c.p, c.o, 87);
        EXPECT_EQ(image.byte(c.offset), 87) << "an edited crosspoint writes bit 7 clear";
        image.setRoutingByte(c.p, c.o, 0x85);
        EXPECT_EQ(image.byte(c.offset), 0x85) << "pasted crosspoints keep the whole byte";
    }
}

TEST(ConfigImageScales, InsertionStoresWordsHighByteFirst)
{
    std::array<uint16_t, 128> table{};
    for (size_t k = 0; k < table.size(); ++k)
        table[k] = uint16_t(0x0100 * k + 0x80 + k);
    struct Case {
        int keyNo;
        int offset;
    };
    const Case cases[] = {{0, 0x0500}, {6, 0x0B00}, {7, 0x0C00}, {8, 0x1A00}, {9, 0x1B00}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyNo);
        ConfigImage image;
        ASSERT_TRUE(image.insertScale(c.keyNo, table));
        EXPECT_EQ(image.byte(c.offset), 0x00);
        EXPECT_EQ(image.byte(c.offset + 1), 0x80);
        EXPECT_EQ(image.word(c.offset + 2 * 127), table[127]);
        EXPECT_EQ(image.byte(c.offset + 256), 0) << "nothing past the slot";
        EXPECT_EQ(image.byte(c.offset - 1), 0) << "nothing before the slot";
    }
    ConfigImage image;
    EXPECT_FALSE(image.insertScale(10, table));
    EXPECT_FALSE(image.insertScale(-1, table));
    EXPECT_FALSE(image.modified());
}

TEST(ConfigImageState, ModifiedFlagSelectionAndReplacement)
{
    ConfigImage image;
    EXPECT_FALSE(image.modified());
    EXPECT_EQ(image.selectedPreset(), 0);
    EXPECT_EQ(image.addressTable().PresetOffset, 0x1080) << "preset 1 before any selection";

    image.setLowByte(0x3F92, 0);
    EXPECT_TRUE(image.modified()) << "a write counts even when the value stays";

    image.selectPreset(4);
    EXPECT_EQ(image.addressTable().PresetOffset, 0x2580 + 3 * 0x180);
    image.selectPreset(11);
    EXPECT_EQ(image.selectedPreset(), 4) << "an index outside the presets is ignored";

    ConfigImage::Bytes bytes{};
    bytes[0x1101] = 7;
    IdentityTrailer trailer;
    trailer.version = 0x0530;
    image.replace(bytes, trailer);
    EXPECT_FALSE(image.modified());
    EXPECT_EQ(image.selectedPreset(), 0);
    EXPECT_EQ(image.source(0, 0), 7);
    EXPECT_EQ(image.imageVersion(), 0x0530);
}

TEST(ConfigImageState, ArgumentsOutsideTheImageAreHarmless)
{
    ConfigImage image;
    image.setWord(kImageSize - 1, 0xFFFF);
    image.setWord(-2, 0xFFFF);
    image.setByte(kImageSize, 1);
    image.writeText(kImageSize - 2, "ABCD", 2);
    image.setLowByte(kImageSize - 1, 1);
    image.setBit(0, 8, true);
    image.setInputLabel(11, 40, "XXXX");
    image.setInputLabel(0, 89, "XXXX");
    image.setOutputLabel(97, "XXXX");
    image.setPresetName(-1, "XXXX");
    image.setSource(0, 96, 1);
    image.setSource(0, 0, 88);
    EXPECT_FALSE(image.modified());
    EXPECT_EQ(image.bytes(), ConfigImage::Bytes{});

    EXPECT_EQ(image.word(kImageSize - 1), 0);
    EXPECT_EQ(image.readText(kImageSize - 2, 2), "");
    EXPECT_EQ(image.inputLabel(11, 40), "");
    EXPECT_EQ(image.outputLabel(0), "");
    EXPECT_EQ(image.source(11, 0), -1);
}

} // namespace
} // namespace qv
