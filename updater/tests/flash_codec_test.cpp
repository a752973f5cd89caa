// The fast flash framing and the read page's checks.
#include "updater/flash_codec.h"
#include "updater/flash_read_page.h"
#include "link/elapsed_text.h"

#include "link/wire_protocol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

namespace flash = qv::flash;

TEST(FlashCodec, Headers)
{
    const auto range = flash::FitSectors(0x1C000, 128);
    ASSERT_TRUE(range);
    EXPECT_EQ(flash::ReadHeader(*range), std::string("2\x03\x80\x00\x80", 5));
    // Sector 0x380, 11 sectors, blocks of 1280 bytes.
    EXPECT_EQ(flash::WriteHeader(*flash::FitSectors(0x1C000, flash::SectorsFor(1300))),
              std::string("1\x03\x80\x00\x0B\x05\x00", 7));

    // A sector number or a count that does not fit the header's 16 bits.
    EXPECT_TRUE(flash::FitSectors(0xFFFF * 128 + 127, 0xFFFF));
    EXPECT_FALSE(flash::FitSectors(0x10000 * 128, 1));
    EXPECT_FALSE(flash::FitSectors(0, 0x10000));
}

TEST(FlashCodec, WriteBlocksArePaddedWithErasedBytes)
{
    std::vector<uint8_t> image(1300);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i);
    EXPECT_EQ(flash::WriteBlocksFor(image.size(), 1281), 2u);
    EXPECT_EQ(flash::WriteBlocksFor(image.size(), 0), 2u) << "no capacity: the payload the header names";
    EXPECT_EQ(flash::WriteBlocksFor(1280, 1281), 1u);

    const std::vector<uint8_t> first = flash::WriteBlock(image, 0);
    ASSERT_EQ(first.size(), 1280u);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), image.begin()));
    const std::vector<uint8_t> last = flash::WriteBlock(image, 1);
    ASSERT_EQ(last.size(), 1280u);
    EXPECT_TRUE(std::equal(last.begin(), last.begin() + 20, image.begin() + 1280));
    EXPECT_EQ(std::count(last.begin() + 20, last.end(), 0xFF), 1260);
}

TEST(FlashCodec, StartReplyAndReadBlocks)
{
    EXPECT_EQ(flash::BlockCapacity(std::string("2\x05\x01", 3)), 1281u);
    EXPECT_EQ(flash::BlockCapacity("2"), 0u);

    std::string block(128, '\x5A');
    block += char(qv::wire::Checksum55(reinterpret_cast<const uint8_t*>(block.data()), 128));
    EXPECT_TRUE(flash::ReadBlockIntact(block));
    block[7] = '\x5B';
    EXPECT_FALSE(flash::ReadBlockIntact(block));
    EXPECT_FALSE(flash::ReadBlockIntact(block.substr(0, 128)));
}

TEST(FlashReadPage, FieldChecks)
{
    const std::string addressError = "Illegal Flash Address.\rThe Flash Address must be between 0 and 262143.";
    const auto countError = [](int largest) {
        return "Illegal Sector Count.\rThe sector count must be between 1 and " + std::to_string(largest) + ".";
    };
    struct Case {
        std::string file, address, count;
        std::string error;
        std::string fileAfter;
        uint32_t start = 0;
        size_t sectors = 0;
    } cases[] = {
        {"memory.cod", "$1C000", "128", "", "memory.cod.380", 0x1C000, 128},
        {"/tmp/F.380", "$1C000", "128", "", "/tmp/F.380"},
        {"/tmp/f.380", "114688", "16", "", "/tmp/f.380"},
        {"x.1ab", "$D580", "1", "", "x.1ab"},
        {"x", "0", "2048", "", "x.000"},
        // A read starts at its sector, as the file's extension says.
        {"x", "$1C010", "1", "", "x.380", 0x1C000, 1},
        {"x", "$40000", "1", addressError, "x"},
        {"x", "-1", "1", addressError, "x"},
        {"x", "start", "1", addressError, "x"},
        {"x", "$1C000", "0", countError(1152), "x.380"},
        {"x", "$1C000", "-5", countError(1152), "x.380"},
        {"x", "$1C000", "12x", countError(1152), "x.380"},
        {"x", "0", "2049", countError(2048), "x.000"},
        // The range must end within the flash too.
        {"x", "$3F800", "17", countError(16), "x.7F0"},
        {"x", "$3F800", "16", "", "x.7F0"},
        {"", "$1C000", "1", "Please specify a destination file.", ".380"},
    };
    for (const auto& c : cases) {
        const std::string name = c.file + " " + c.address + " " + c.count;
        const qv::FlashReadCheck check = qv::CheckFlashRead({c.file, c.address, c.count}, 2048);
        EXPECT_EQ(check.error, c.error) << name;
        EXPECT_EQ(check.file, c.fileAfter) << name;
        if (c.sectors != 0) {
            EXPECT_EQ(check.address, c.start) << name;
            EXPECT_EQ(check.sectors, c.sectors) << name;
        }
    }
    // The command line's default file keeps its name.
    EXPECT_EQ(qv::CheckFlashRead({"/w/memory.cod", "$1c000", "128"}, 1024, true).file, "/w/memory.cod");
}

TEST(FlashReadPage, ElapsedTime)
{
    EXPECT_EQ(qv::ElapsedText(0), "0:00");
    EXPECT_EQ(qv::ElapsedText(65'999), "1:05");
    EXPECT_EQ(qv::ElapsedText(600'000), "10:00");
}

} // namespace
