#include "cdp_fixture.h"
#include "packages/cdp_check.h"
#include "packages/cdp_reader.h"

#include <gtest/gtest.h>

#include <functional>

namespace qv {
namespace {

// The sample's layout: table at 276 (3 entries), items at 308, 585 (after
// 272 + 5 bytes) and 859 (after 272 + 2); 1131 bytes in all.
constexpr size_t kItem1 = 308, kItem2 = 585, kItem3 = 859, kSampleSize = 1131;

TEST(ReadCdp, ReadsHeaderItemsAndPayloads)
{
    const auto file = test::Build(test::SampleDraft());
    ASSERT_EQ(file.size(), kSampleSize);
    auto package = ReadCdp(file);
    ASSERT_TRUE(package);
    EXPECT_EQ(package->header.magic, "QVT_");
    EXPECT_EQ(package->header.version, "0001");
    EXPECT_EQ(package->header.description, "Sample package");
    EXPECT_EQ(package->header.count, 3);
    ASSERT_EQ(package->items.size(), 3u);

    const CdpItem& block = package->items[0];
    EXPECT_EQ(block.offset, kItem1);
    EXPECT_EQ(block.mask, 8u);
    EXPECT_EQ(block.kind, kCdpSoftwareBlock);
    EXPECT_EQ(block.size, 5u);
    EXPECT_EQ(block.address, 0x1000u);
    EXPECT_EQ(std::vector<uint8_t>(block.payload.begin(), block.payload.end()), (std::vector<uint8_t>{1, 2, 3, 4, 5}));

    const CdpItem& word = package->items[1];
    EXPECT_EQ(word.offset, kItem2);
    EXPECT_EQ(word.size, 0u);
    EXPECT_EQ(word.value(), 0x1234);
    EXPECT_EQ(package->items[2].offset, kItem3);
    EXPECT_EQ(package->items[2].description, "Done.\rPress OK.");
    EXPECT_TRUE(package->items[2].payload.empty());
}

TEST(ReadCdp, AnythingOutsideTheFileIsNotAValidFile)
{
    using Patch = std::function<void(std::vector<uint8_t>&)>;
    struct Case {
        const char* what;
        Patch patch;
    };
    auto offset = [](size_t entry, uint32_t value) {
        return [=](std::vector<uint8_t>& f) { PutLe32(f, kCdpTableOffset + 8 * entry, value); };
    };
    const Case cases[] = {
        {"count beyond the file", [](auto& f) { PutLe16(f, kCdpCountOffset, 0xFFFF); }},
        {"table end past the file", [](auto& f) { f.resize(kCdpTableOffset + 8 * 3 - 1); }},
        {"item offset past the end", offset(1, uint32_t(kSampleSize))},
        {"item header crossing the end", offset(2, uint32_t(kSampleSize - kCdpItemHeaderSize + 1))},
        {"item offset near 4 GiB", offset(0, 0xFFFFFFF0u)},
        {"block size past the end", [](auto& f) { PutLe32(f, kItem1 + kCdpItemSizeOffset, 0xFFFFFFFFu); }},
        {"block one byte too long",
         [](auto& f) {
             PutLe16(f, kItem3 + kCdpItemKindOffset, kCdpSoftwareBlock);
             PutLe32(f, kItem3 + kCdpItemSizeOffset, 1);
         }},
        {"value missing at the end", [](auto& f) { PutLe16(f, kItem3 + kCdpItemKindOffset, kCdpWriteWord); }},
        {"byte value missing at the end", [](auto& f) { PutLe16(f, kItem3 + kCdpItemKindOffset, kCdpWriteByte); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto file = test::Build(test::SampleDraft());
        c.patch(file);
        PatchCdpCrc(file); // a sound CRC: the layout alone is at fault
        EXPECT_FALSE(ReadCdp(file));
        for (Program program : {Program::Matrix, Program::Update}) {
            const CdpCheck check = VerifyFileHeader(program, file);
            EXPECT_FALSE(check.valid);
            EXPECT_EQ(check.message, "This is not a valid file.");
        }
    }
}

TEST(ReadCdp, EdgesThatStayInsideTheFile)
{
    // Only the low half of a 64-bit table entry is the offset.
    auto file = test::Build(test::SampleDraft());
    PutLe32(file, kCdpTableOffset + 4, 0xDEADBEEF);
    PatchCdpCrc(file);
    auto package = ReadCdp(file);
    ASSERT_TRUE(package);
    EXPECT_EQ(package->items[0].offset, kItem1);

    // The last item's value may be the file's last two bytes.
    file = test::Build(test::SampleDraft());
    file.push_back(0xAA);
    file.push_back(0xBB);
    PutLe16(file, kItem3 + kCdpItemKindOffset, kCdpKeyPress);
    PatchCdpCrc(file);
    package = ReadCdp(file);
    ASSERT_TRUE(package);
    EXPECT_EQ(package->items[2].value(), 0xBBAA);

    // Count 0 needs no more than the header.
    file = test::Build(CdpDraft{});
    file.resize(kCdpHeaderSize);
    PatchCdpCrc(file);
    const CdpCheck check = VerifyFileHeader(Program::Matrix, file);
    EXPECT_TRUE(check.valid) << check.message;
    EXPECT_TRUE(check.package.items.empty());
}

TEST(ReadCdp, ShortStringsCountOnlyTheirLengthAndStayInTheirField)
{
    auto file = test::Build(test::SampleDraft());
    file[kCdpDescriptionOffset] = 6; // "Sample package" shortened in place
    file[kCdpVersionOffset] = 200;   // above the capacity of 4
    file[kCdpMagicOffset] = 255;
    file[kItem1 + kCdpItemDescriptionOffset] = 0;
    auto header = ReadCdpHeader(file);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->description, "Sample");
    EXPECT_EQ(header->version, "0001");
    EXPECT_EQ(header->magic, "QVT_");
    EXPECT_EQ(ReadCdp(file)->items[0].description, "");
}

} // namespace
} // namespace qv
