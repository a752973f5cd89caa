#include "config/config_file.h"
#include "config/preset_file.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace qv {
namespace {

namespace fs = std::filesystem;

std::string Hex8(uint32_t value)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", unsigned(value));
    return text;
}

// The checksum of a whole preset file (16416 bytes).
uint32_t FileChecksum(const std::vector<uint8_t>& file)
{
    return file.size() == kPresetFileSize
               ? PresetFileChecksum(std::span<const uint8_t, kPresetFileSize>(file.data(), kPresetFileSize))
               : 0;
}

class PresetFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("qv-config-test-" + std::to_string(std::random_device{}()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::vector<uint8_t> readBytes(const std::string& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void writeBytes(const std::string& p, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    std::vector<std::string> folderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // An edited image from a 5.30 instrument.
    static ConfigImage editedImage()
    {
        ConfigImage image;
        image.setPresetName(0, "Studio A");
        image.setOutputLabel(65, "PPM1");
        image.setSource(3, 10, 20);
        IdentityTrailer& t = image.trailer();
        t.serial = 12345;
        t.type = 4;
        t.version = 0x0530;
        t.extendedBiosVersion = 0x0102;
        t.hardwareId = 0xBEEF;
        return image;
    }

    // A valid preset file that differs from editedImage().
    std::string otherPresetFile()
    {
        ConfigImage other;
        other.setPresetName(0, "Other");
        const std::string p = path("other.PRE");
        writeBytes(p, EncodePresetFile(other.bytes(), other.trailer()));
        return p;
    }

    fs::path dir_;
    ScriptedPrompter prompter_;
};

TEST(PresetFileFormat, ChecksumIsTheStandardCrc32OverTheWholeFile)
{
    // Values from an independent CRC-32 (zlib's) over the 16416 bytes with
    // the checksum field as zeros; stored little-endian.
    const auto storedChecksum = [](const std::vector<uint8_t>& file) {
        uint32_t value = 0;
        for (int k = 3; k >= 0; --k)
            value = value << 8 | file[size_t(kImageSize + 28 + k)];
        return value;
    };
    const ConfigImage blank;
    EXPECT_EQ(storedChecksum(EncodePresetFile(blank.bytes(), blank.trailer())), 0xA8B3EDFFu);

    IdentityTrailer trailer;
    trailer.serial = 12345;
    trailer.type = 4;
    trailer.version = 0x0530;
    trailer.extendedBiosVersion = 0x0102;
    trailer.hardwareId = 0xBEEF;
    trailer.checksum = 0xDEADBEEF; // whatever the trailer held before
    EXPECT_EQ(storedChecksum(EncodePresetFile(ConfigImage::Bytes{}, trailer)), 0x820B7311u);
}

TEST_F(PresetFileTest, SaveAndReopenGivesByteIdenticalFiles)
{
    ConfigImage image = editedImage();
    ASSERT_TRUE(SaveConfiguration(path("first.PRE"), image, prompter_));
    const auto first = readBytes(path("first.PRE"));
    ASSERT_EQ(first.size(), kPresetFileSize);
    EXPECT_EQ(image.trailer().checksum, FileChecksum(first));

    ConfigImage reopened;
    ASSERT_TRUE(LoadConfiguration(path("first.PRE"), reopened, prompter_));
    EXPECT_EQ(reopened.bytes(), image.bytes());
    EXPECT_EQ(reopened.trailer(), image.trailer());
    EXPECT_EQ(reopened.imageVersion(), 0x0530);
    EXPECT_FALSE(reopened.modified());

    ASSERT_TRUE(SaveConfiguration(path("second.pre"), reopened, prompter_));
    EXPECT_EQ(readBytes(path("second.pre")), first);
    EXPECT_TRUE(prompter_.shown().empty());
    EXPECT_EQ(folderEntries(), (std::vector<std::string>{"first.PRE", "second.pre"})) << "no temporary file left";
}

TEST_F(PresetFileTest, RawFileThenPresetFileLosesTheOrigin)
{
    ConfigImage image = editedImage();
    image.trailer().marker2[5] = 0x77; // markers are carried as they are
    ASSERT_TRUE(SaveConfiguration(path("image.380"), image, prompter_));
    const auto raw = readBytes(path("image.380"));
    EXPECT_EQ(raw, std::vector<uint8_t>(image.bytes().begin(), image.bytes().end()));
    EXPECT_EQ(image.imageVersion(), 0) << "a raw file has no version";

    ASSERT_TRUE(SaveConfiguration(path("image.PRE"), image, prompter_));
    const DecodedConfigFile decoded = DecodeConfigFile(readBytes(path("image.PRE")));
    EXPECT_TRUE(decoded.valid);
    EXPECT_EQ(decoded.trailer.serial, 0);
    EXPECT_EQ(decoded.trailer.type, 0);
    EXPECT_EQ(decoded.trailer.version, 0u);
    EXPECT_EQ(decoded.trailer.extendedBiosVersion, 0);
    EXPECT_EQ(decoded.trailer.hardwareId, 0);
    EXPECT_EQ(decoded.trailer.marker2[5], 0x77);
}

TEST_F(PresetFileTest, RawFileIsAcceptedWhateverItsName)
{
    ConfigImage source = editedImage();
    writeBytes(path("memory.cod"), std::vector<uint8_t>(source.bytes().begin(), source.bytes().end()));

    ConfigImage image = editedImage();
    image.setModified(true);
    image.selectPreset(5);
    ASSERT_TRUE(LoadConfiguration(path("memory.cod"), image, prompter_));
    EXPECT_EQ(image.bytes(), source.bytes());
    EXPECT_EQ(image.imageVersion(), 0);
    EXPECT_EQ(image.trailer().serial, 0);
    EXPECT_TRUE(image.trailer().markersValid());
    EXPECT_FALSE(image.modified());
    EXPECT_EQ(image.selectedPreset(), 0);
}

TEST_F(PresetFileTest, FailedChecksKeepThePreviousImage)
{
    ConfigImage saved = editedImage();
    ASSERT_TRUE(SaveConfiguration(path("good.PRE"), saved, prompter_));
    const auto good = readBytes(path("good.PRE"));
    const uint32_t goodSum = saved.trailer().checksum;

    // Marker 1 differs only in case; the stored checksum is right for it.
    auto caseMarker = good;
    caseMarker[kImageSize + 1] = 'q';
    const uint32_t caseSum = FileChecksum(caseMarker);
    for (int k = 0; k < 4; ++k)
        caseMarker[size_t(kImageSize + 28 + k)] = uint8_t(caseSum >> (8 * k));

    auto badSum = good;
    badSum[0x2480] ^= 0x20; // one changed character of a preset name
    const uint32_t badSumComputed = FileChecksum(badSum);

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        std::string message;
    };
    const Case cases[] = {
        {"marker.PRE", caseMarker, "CRC Error. " + Hex8(caseSum) + " " + Hex8(caseSum)},
        {"sum.PRE", badSum, "CRC Error. " + Hex8(goodSum) + " " + Hex8(badSumComputed)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeBytes(path(c.name), c.bytes);
        ConfigImage loaded;
        ASSERT_TRUE(LoadConfiguration(otherPresetFile(), loaded, prompter_));
        loaded.setModified(true);
        loaded.selectPreset(2);
        const ConfigImage before = loaded;
        prompter_.clearShown();

        EXPECT_FALSE(LoadConfiguration(path(c.name), loaded, prompter_, {true, 0x0530}));
        ASSERT_EQ(prompter_.shown().size(), 1u) << "no override question after a failed read";
        EXPECT_EQ(prompter_.shown()[0].kind, MessageKind::Error);
        EXPECT_EQ(prompter_.shown()[0].text, c.message);
        EXPECT_EQ(loaded.bytes(), before.bytes());
        EXPECT_EQ(loaded.trailer(), before.trailer());
        EXPECT_TRUE(loaded.modified());
        EXPECT_EQ(loaded.selectedPreset(), 2);
    }
}

TEST_F(PresetFileTest, WrongSizesFailWithoutAMessage)
{
    const auto good = EncodePresetFile(editedImage().bytes(), editedImage().trailer());
    struct Case {
        const char* name;
        size_t size;
    };
    const Case cases[] = {{"empty", 0}, {"short", 16383}, {"truncated", 16415}, {"long", 16417}, {"huge", 1 << 20}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto bytes = good;
        bytes.resize(c.size, 0x55);
        writeBytes(path(c.name), bytes);
        ConfigImage image = editedImage();
        const ConfigImage before = image;
        EXPECT_FALSE(LoadConfiguration(path(c.name), image, prompter_));
        EXPECT_TRUE(prompter_.shown().empty());
        EXPECT_EQ(image.bytes(), before.bytes());
        EXPECT_EQ(image.trailer(), before.trailer());
    }
}

TEST_F(PresetFileTest, MissingFileAndUnreadablePath)
{
    ConfigImage image;
    EXPECT_FALSE(LoadConfiguration(path("none.PRE"), image, prompter_));
    EXPECT_FALSE(LoadConfiguration("", image, prompter_));
    fs::create_directory(path("folder.PRE"));
    EXPECT_FALSE(LoadConfiguration(path("folder.PRE"), image, prompter_));
    ASSERT_EQ(prompter_.shown().size(), 3u);
    EXPECT_EQ(prompter_.shown()[0].text, "The file \"" + path("none.PRE") + "\" was not found.");
    EXPECT_EQ(prompter_.shown()[1].text, "The file  was not found.");
    EXPECT_EQ(prompter_.shown()[2].text.rfind("Cannot open file \"" + path("folder.PRE") + "\". ", 0), 0u);
    for (const auto& shown : prompter_.shown())
        EXPECT_EQ(shown.kind, MessageKind::Error);
}

TEST_F(PresetFileTest, FailedWriteKeepsTheTrailerAndSaysSo)
{
    ConfigImage image = editedImage();
    const IdentityTrailer trailer = image.trailer();
    // A rename cannot replace a folder; a missing folder takes no file at all.
    fs::create_directory(path("taken.PRE"));
    fs::create_directory(path("taken.380"));
    const std::pair<std::string, std::string> cases[] = {
        {path("taken.PRE"), "Is a directory"},
        {path("taken.380"), "Is a directory"},
        {path("no/such/folder.PRE"), "No such file or directory"},
    };
    for (const auto& [target, reason] : cases) {
        SCOPED_TRACE(target);
        prompter_.clearShown();
        EXPECT_FALSE(SaveConfiguration(target, image, prompter_));
        ASSERT_EQ(prompter_.shown().size(), 1u);
        EXPECT_EQ(prompter_.shown()[0].kind, MessageKind::Error);
        EXPECT_EQ(prompter_.shown()[0].text, "Cannot create file \"" + target + "\". " + reason);
        EXPECT_EQ(image.trailer(), trailer) << "nothing written, so the origin stays";
    }
}

TEST_F(PresetFileTest, VersionOverrideQuestion)
{
    ConfigImage fileImage = editedImage();
    fileImage.trailer().version = 0x0500;
    ASSERT_TRUE(SaveConfiguration(path("v500.PRE"), fileImage, prompter_));
    struct Case {
        VersionOverride versionOverride;
        bool asked;
        Answer answer;
        uint16_t version;
    };
    const Case cases[] = {
        {{true, 0x0530}, true, Answer::Yes, 0x0530},
        {{true, 0x0530}, true, Answer::No, 0x0500},
        {{true, 0}, false, Answer::Yes, 0x0500},
        {{false, 0x0530}, false, Answer::Yes, 0x0500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.versionOverride.enabled << " " << c.versionOverride.version << " "
                                        << int(c.answer));
        ScriptedPrompter prompter;
        prompter.queueAnswer(c.answer);
        ConfigImage image;
        ASSERT_TRUE(LoadConfiguration(path("v500.PRE"), image, prompter, c.versionOverride));
        EXPECT_EQ(image.imageVersion(), c.version);
        if (c.asked) {
            ASSERT_EQ(prompter.shown().size(), 1u);
            EXPECT_EQ(prompter.shown()[0].kind, MessageKind::Confirmation);
            EXPECT_EQ(prompter.shown()[0].buttons, unsigned(ButtonYesNo));
            EXPECT_EQ(prompter.shown()[0].text,
                      "Do you wish to override the the current fileversion: 05.00 with 05.30?");
        } else {
            EXPECT_TRUE(prompter.shown().empty());
        }
    }

    // A raw file has version 0 and is asked about as well.
    writeBytes(path("raw.380"), std::vector<uint8_t>(kRawFileSize, 0));
    ScriptedPrompter prompter;
    prompter.queueAnswer(Answer::Yes);
    ConfigImage image;
    ASSERT_TRUE(LoadConfiguration(path("raw.380"), image, prompter, {true, 0x0510}));
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Do you wish to override the the current fileversion: 00.00 with 05.10?"});
    EXPECT_EQ(image.imageVersion(), 0x0510);
}

TEST(VersionOverrideArguments, SlashAThenSlashO)
{
    struct Case {
        std::vector<std::string> arguments;
        bool enabled;
        uint16_t version;
    };
    const Case cases[] = {
        {{"/A", "/O5.30"}, true, 0x0530},
        {{"/a", "/O05.10"}, true, 0x0510},
        {{"/A", "/O05.30trailing"}, true, 0x0530}, // characters 3 to 7 only
        {{"/A", "/Ox.yz"}, true, 0},
        {{"/A"}, true, 0},
        {{"/A", "/X5.30"}, true, 0},
        {{"/B", "/O5.30"}, false, 0},
        {{"setup.PRE"}, false, 0},
        {{}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const VersionOverride result = VersionOverrideFromArguments(c.arguments);
        EXPECT_EQ(result.enabled, c.enabled);
        EXPECT_EQ(result.version, c.version);
    }
}

} // namespace
} // namespace qv
