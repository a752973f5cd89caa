#include "cdp_fixture.h"
#include "packages/cdp_check.h"
#include "packages/cdp_reader.h"
#include "platform/host/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>

namespace fs = std::filesystem;

namespace qv {
namespace {

TEST(BuildCdp, RoundTripThroughTheReader)
{
    CdpDraft draft;
    draft.version = "0004";
    draft.description = std::string(255, 'D');
    // More items than the table room before 308: the items move behind the table.
    for (uint16_t kind : {0, 1, 2, 3, 7, 8, 12, 13, 14, 16, 19, 21, 22, 30}) {
        CdpDraftItem item;
        item.kind = kind;
        item.mask = 1u << (kind % 32);
        item.address = 0x10000u + kind;
        item.description = "kind " + std::to_string(kind);
        switch (CdpPayloadOf(kind)) {
        case CdpPayload::Block:
            item.payload.assign(kind * 3u + 1, uint8_t(kind));
            break;
        case CdpPayload::Word:
        case CdpPayload::Byte:
            item.payload = CdpValuePayload(kind, uint16_t(0xA500 + kind));
            break;
        case CdpPayload::None:
            break;
        }
        if (kind == kCdpWholeMemory)
            item.size = 262144; // the progress size of whole-memory mode
        draft.items.push_back(item);
    }
    const auto file = test::Build(draft);
    const CdpCheck check = VerifyFileHeader(Program::Update, file);
    ASSERT_TRUE(check.valid) << check.message;
    const CdpPackage& p = check.package;
    EXPECT_EQ(p.header.version, "0004");
    EXPECT_EQ(p.header.description, draft.description);
    EXPECT_EQ(p.header.crc, check.computedCrc);
    ASSERT_EQ(p.items.size(), draft.items.size());
    EXPECT_EQ(p.items[0].offset, kCdpTableOffset + 8 * draft.items.size());
    for (size_t i = 0; i < p.items.size(); ++i) {
        const CdpItem& got = p.items[i];
        const CdpDraftItem& want = draft.items[i];
        SCOPED_TRACE(want.description);
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_EQ(got.mask, want.mask);
        EXPECT_EQ(got.address, want.address);
        EXPECT_EQ(got.description, want.description);
        EXPECT_EQ(std::vector<uint8_t>(got.payload.begin(), got.payload.end()), want.payload);
        const bool block = CdpPayloadOf(want.kind) == CdpPayload::Block;
        EXPECT_EQ(got.size, block ? want.payload.size() : want.size.value_or(0));
        if (i + 1 < p.items.size()) {
            EXPECT_EQ(p.items[i + 1].offset, got.offset + kCdpItemHeaderSize + got.payload.size());
        }
    }
    EXPECT_EQ(p.items[12].value(), 0x16); // kind 22 keeps the low byte
}

TEST(BuildCdp, WritersLayoutWithRoomForFourEntries)
{
    const auto file = test::Build(test::SampleDraft());
    EXPECT_EQ(GetLe32(file, kCdpTableOffset), kCdpFirstItemOffset);
    // Reserved words and the unused table room are 0; the high halves of
    // the table entries too.
    for (size_t at : {266, 267, 274, 275, 280, 288, 296})
        EXPECT_EQ(file[at], 0) << at;
    for (size_t at = kCdpTableOffset + 3 * kCdpTableEntrySize; at < kCdpFirstItemOffset; ++at)
        EXPECT_EQ(file[at], 0) << at;
    EXPECT_EQ(GetLe16(file, kCdpFirstItemOffset + 6), 0);
}

TEST(BuildCdp, RefusesWhatTheFormatCannotHold)
{
    struct Case {
        const char* what;
        std::function<void(CdpDraft&)> change;
        const char* error;
    };
    const Case cases[] = {
        {"long version", [](CdpDraft& d) { d.version = "00001"; }, "the format version is longer than 4 characters"},
        {"long title", [](CdpDraft& d) { d.description.assign(256, 'x'); },
         "the description is longer than 255 characters"},
        {"long item text", [](CdpDraft& d) { d.items[2].description.assign(256, 'x'); },
         "item 3: the description is longer than 255 characters"},
        {"word of 3 bytes", [](CdpDraft& d) { d.items[1].payload.push_back(0); }, "item 2: kind 1 carries a 2-byte value"},
        {"byte kind with a word", [](CdpDraft& d) { d.items[1].kind = kCdpWriteByte; },
         "item 2: kind 22 carries a 1-byte value"},
        {"message with data", [](CdpDraft& d) { d.items[2].payload = {1}; }, "item 3: kind 4 carries no data"},
        {"block size not its length", [](CdpDraft& d) { d.items[0].size = 4; },
         "item 1: the size field must equal the length of the data"},
        {"too many items", [](CdpDraft& d) { d.items.resize(65536); }, "a package holds at most 65535 items"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CdpDraft draft = test::SampleDraft();
        c.change(draft);
        std::string error;
        EXPECT_FALSE(BuildCdp(draft, error));
        EXPECT_EQ(error, c.error);
    }
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("qv-packages-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    size_t Entries() const { return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }

    fs::path dir_;
};

TEST_F(SaveTest, WriteCdpReplacesTheFileAndReadsBack)
{
    const std::string path = (dir_ / "new.CDP").string();
    {
        std::ofstream(path) << "old";
    }
    std::string error;
    ASSERT_TRUE(WriteCdp(path, test::SampleDraft(), error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes, error)) << error;
    EXPECT_EQ(bytes, test::Build(test::SampleDraft()));
    EXPECT_EQ(Entries(), 1u); // no temporary left behind
}

TEST_F(SaveTest, FailedWritesLeaveTheOldFileAndSaySo)
{
    const std::string path = (dir_ / "keep.CDP").string();
    {
        std::ofstream(path) << "old";
    }
    std::string error;
    CdpDraft bad = test::SampleDraft();
    bad.version = "00001";
    EXPECT_FALSE(WriteCdp(path, bad, error));
    EXPECT_EQ(error, "the format version is longer than 4 characters");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes, error));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");

    fs::create_directory(dir_ / "folder.CDP");
    const std::string folder = (dir_ / "folder.CDP").string();
    const std::string missing = (dir_ / "missing" / "x.CDP").string();
    const std::pair<std::string, std::string> cases[] = {
        {folder, folder + ": Is a directory"},
        {missing, missing + ": No such file or directory"},
    };
    for (const auto& [target, message] : cases) {
        SCOPED_TRACE(target);
        error.clear();
        EXPECT_FALSE(WriteCdp(target, test::SampleDraft(), error));
        EXPECT_EQ(error, message);
    }
}

} // namespace
} // namespace qv
