#include "cdp_fixture.h"
#include "packages/cdp_check.h"
#include "platform/host/scripted_prompter.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qv {
namespace {

const std::string kNotValid = "This is not a valid file.";
const std::string kNotSupported =
    "This file version is not supported.\r\rPlease make sure that you are using the latest version of QV-Update.";

// Writes a short-string field as raw bytes (length byte as given), then
// makes the CRC right so only the field is at fault.
void PatchField(std::vector<uint8_t>& file, size_t at, uint8_t length, const char* text)
{
    file[at] = length;
    std::memcpy(file.data() + at + 1, text, 4);
    PatchCdpCrc(file);
}

TEST(VerifyFileHeader, VersionAcceptancePerProgram)
{
    struct Case {
        uint8_t length;
        const char* version;
        std::string matrix; // "" = accepted
        std::string update;
    };
    const Case cases[] = {
        {4, "0001", "", ""},
        {4, "0002", kNotValid, ""},
        {4, "0003", kNotValid, ""},
        {4, "0004", kNotValid, ""},
        {4, "0005", kNotValid, kNotSupported},
        {4, "0000", kNotValid, kNotSupported},
        {3, "0001", kNotValid, kNotSupported}, // "000"
        {5, "0001", kNotValid, kNotSupported}, // the length byte counts
        {0, "0001", kNotValid, kNotSupported},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " length " + std::to_string(c.length));
        auto file = test::Build(test::SampleDraft());
        PatchField(file, kCdpVersionOffset, c.length, c.version);
        for (auto [program, expected] : {std::pair{Program::Matrix, c.matrix}, std::pair{Program::Update, c.update}}) {
            const CdpCheck check = VerifyFileHeader(program, file);
            EXPECT_EQ(check.valid, expected.empty());
            EXPECT_EQ(check.message, expected);
        }
    }
}

TEST(VerifyFileHeader, BadMagicOrShortFileIsNotAValidFile)
{
    struct Case {
        uint8_t length;
        const char* magic;
        const char* version;
    };
    // A bad magic wins over a version QV-Update would call unsupported.
    const Case cases[] = {
        {4, "QVT.", "0001"}, {4, "qvt_", "0001"}, {3, "QVT_", "0001"},
        {5, "QVT_", "0001"}, {4, "XXXX", "0005"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.magic) + " length " + std::to_string(c.length));
        auto file = test::Build(test::SampleDraft(c.version));
        PatchField(file, kCdpMagicOffset, c.length, c.magic);
        for (Program program : {Program::Matrix, Program::Update})
            EXPECT_EQ(VerifyFileHeader(program, file).message, kNotValid);
    }

    const auto good = test::Build(test::SampleDraft());
    for (size_t size : {size_t(0), size_t(5), kCdpHeaderSize - 1}) {
        SCOPED_TRACE(size);
        const std::vector<uint8_t> shortFile(good.begin(), good.begin() + std::ptrdiff_t(size));
        EXPECT_EQ(VerifyFileHeader(Program::Update, shortFile).message, kNotValid);
    }
}

TEST(VerifyFileHeader, AnyChangedByteFailsTheCrc)
{
    const auto good = test::Build(test::SampleDraft());
    const uint32_t stored = GetLe32(good, kCdpCrcOffset);
    ASSERT_TRUE(VerifyFileHeader(Program::Matrix, good).valid);
    for (size_t i = 0; i < good.size(); ++i) {
        if (i >= kCdpCrcOffset && i < kCdpCrcOffset + 4)
            continue;
        auto file = good;
        file[i] ^= 0x01;
        const CdpCheck check = VerifyFileHeader(Program::Update, file);
        ASSERT_FALSE(check.valid) << "byte " << i;
        if (i >= kCdpDescriptionOffset) {
            ASSERT_EQ(check.message, CdpCrcErrorText(stored)) << "byte " << i;
            ASSERT_EQ(check.storedCrc, stored);
        }
    }
}

TEST(VerifyFileHeader, NewCorrectCrcMakesAChangedFilePassAgain)
{
    const auto good = test::Build(test::SampleDraft());
    // Reserved header words, unused table room, a description's unused tail,
    // an item's reserved word, and payload.
    for (size_t at : {size_t(266), size_t(275), size_t(300), size_t(200), size_t(308 + 6), size_t(308 + 272 + 2)}) {
        SCOPED_TRACE(at);
        auto file = good;
        file[at] ^= 0x5A;
        ASSERT_FALSE(VerifyFileHeader(Program::Matrix, file).valid);
        const uint32_t crc = PatchCdpCrc(file);
        const CdpCheck check = VerifyFileHeader(Program::Matrix, file);
        EXPECT_TRUE(check.valid) << check.message;
        EXPECT_EQ(check.storedCrc, crc);
        EXPECT_EQ(check.computedCrc, crc);
    }
}

TEST(VerifyFileHeader, CrcMessageQuotesTheStoredCrcInUppercaseHex)
{
    auto file = test::Build(test::SampleDraft());
    PutLe32(file, kCdpCrcOffset, 0x00ABCDEF);
    const CdpCheck check = VerifyFileHeader(Program::Matrix, file);
    EXPECT_EQ(check.message, "CRC Error.\rThe file is corrupted. (CRC: 00ABCDEF)\rTry to download the file again.");
    EXPECT_EQ(check.storedCrc, 0x00ABCDEFu);
    EXPECT_EQ(check.computedCrc, PatchCdpCrc(file));
}

TEST(VerifyFileHeader, PrompterShowsOnlyFailuresAsErrors)
{
    auto file = test::Build(test::SampleDraft("0002"));
    ScriptedPrompter prompter;
    EXPECT_TRUE(VerifyFileHeader(Program::Update, file, prompter).valid);
    EXPECT_TRUE(prompter.shown().empty());

    EXPECT_FALSE(VerifyFileHeader(Program::Matrix, file, prompter).valid);
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].kind, MessageKind::Error);
    EXPECT_EQ(prompter.shown()[0].text, kNotValid);
}

} // namespace
} // namespace qv
