// Intel HEX records and files.
#include "updater/intel_hex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace qv::ihex;

TEST(IntelHex, ParsesRecordsAndRefusesBadOnes)
{
    const struct {
        const char* line;
        LineError error;
        uint8_t type;
        uint16_t address;
        std::vector<uint8_t> data;
    } cases[] = {
        {":0300300002337A1E", LineError::None, kData, 0x0030, {0x02, 0x33, 0x7A}},
        {":0300300002337a1e\r\n", LineError::None, kData, 0x0030, {0x02, 0x33, 0x7A}},
        {"  :00000001FF  ", LineError::None, kEndOfFile, 0, {}},
        {":020000040001F9", LineError::None, kExtendedLinearAddress, 0, {0x00, 0x01}},
        {":020000021200EA", LineError::None, kExtendedSegmentAddress, 0, {0x12, 0x00}},
        {":04000005000123458E", LineError::None, kStartLinearAddress, 0, {0x00, 0x01, 0x23, 0x45}},
        {"", LineError::NotARecord, 0, 0, {}},
        {"0300300002337A1E", LineError::NotARecord, 0, 0, {}},          // no colon
        {";0300300002337A1E", LineError::NotARecord, 0, 0, {}},
        {":03003000GG337A1E", LineError::NotARecord, 0, 0, {}},         // not hexadecimal
        {":0000", LineError::NotARecord, 0, 0, {}},                     // too short for the fixed fields
        {":0300300002337A1E0", LineError::NotARecord, 0, 0, {}},        // half a byte
        {":00000006FA", LineError::NotARecord, 0, 0, {}},               // no such type
        {":0400300002337A1E", LineError::BadLength, 0, 0, {}},          // count 4, three data bytes
        {":0200300002337A1E", LineError::BadLength, 0, 0, {}},          // count 2, three data bytes
        {":01000001FFFF", LineError::BadLength, 0, 0, {}},              // end of file with data
        {":0100000400FB", LineError::BadLength, 0, 0, {}},              // address record of one byte
        {":0300300002337A1F", LineError::BadChecksum, 0, 0, {}},
        {":00000001FE", LineError::BadChecksum, 0, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Record r;
        EXPECT_EQ(ParseRecord(c.line, r), c.error);
        if (c.error != LineError::None)
            continue;
        EXPECT_EQ(r.type, c.type);
        EXPECT_EQ(r.address, c.address);
        EXPECT_EQ(r.data, c.data);
    }
}

TEST(IntelHex, WritesRecordsItReadsBack)
{
    EXPECT_EQ(FormatRecord({kData, 0x0030, {0x02, 0x33, 0x7A}, 0}), ":0300300002337A1E");
    EXPECT_EQ(FormatRecord({kEndOfFile, 0, {}, 0x55}), ":00000001FF") << "the checksum is computed, not copied";
    EXPECT_EQ(FormatRecord({kExtendedLinearAddress, 0, {0x00, 0x01}, 0}), ":020000040001F9");

    std::vector<uint8_t> data(255);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 7);
    Record back;
    ASSERT_EQ(ParseRecord(FormatRecord({kData, 0xFFF0, data, 0}), back), LineError::None);
    EXPECT_EQ(back.address, 0xFFF0);
    EXPECT_EQ(back.data, data);
}

TEST(IntelHex, FileProblemsByLineNumber)
{
    const std::string text = ":020000040000FA\r\n"
                             ":0300300002337A1E\r\n"
                             "\r\n"
                             "garbage\r\n"
                             ":0300330002337A1E\n"   // wrong checksum for its address
                             ":0400360002337A1E\r"   // count 4, three bytes
                             ":00000001FF";
    const HexText hex = ParseHexText(text);
    ASSERT_EQ(hex.records.size(), 3u);
    EXPECT_EQ(hex.recordLines, (std::vector<size_t>{1, 2, 7}));
    ASSERT_EQ(hex.problems.size(), 3u);
    EXPECT_EQ(hex.problems[0].line, 4u);
    EXPECT_EQ(LineErrorText(hex.problems[0].error), "a line that is not a record");
    EXPECT_EQ(hex.problems[1].line, 5u);
    EXPECT_EQ(LineErrorText(hex.problems[1].error), "bad record checksum");
    EXPECT_EQ(hex.problems[2].line, 6u);
    EXPECT_EQ(LineErrorText(hex.problems[2].error), "bad length");

    EXPECT_TRUE(ParseHexText("").records.empty());
    EXPECT_TRUE(ParseHexText("\n\n").problems.empty());
}

TEST(IntelHex, AddressRangeFollowsSegmentAndLinearBases)
{
    const auto range = [](const std::string& text) { return DataRange(ParseHexText(text).records); };

    AddressRange r = range(":0300300002337A1E\n:00000001FF\n");
    EXPECT_FALSE(r.empty);
    EXPECT_EQ(r.first, 0x30u);
    EXPECT_EQ(r.last, 0x32u);

    // Segment 0x1200 puts offset 0x0030 at 0x12030; linear 0x0001 at 0x10000 + offset.
    r = range(":020000021200EA\n:0300300002337A1E\n:020000040001F9\n:0300000002337A4E\n");
    EXPECT_EQ(r.first, 0x10000u);
    EXPECT_EQ(r.last, 0x12032u);

    EXPECT_TRUE(range(":020000040001F9\n:00000001FF\n").empty) << "no data records";
}

TEST(IntelHex, ImageRecordsSplitAtTheRecordSizeAnd64KiBBoundaries)
{
    std::vector<uint8_t> image(40);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(0xA0 + i);
    const auto records = ImageRecords(image, 0x1FFF0, 16);

    std::vector<std::string> lines;
    for (const Record& r : records)
        lines.push_back(FormatRecord(r));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], ":020000040001F9");
    EXPECT_EQ(lines[1].substr(0, 9), ":10FFF000") << "16 bytes up to the boundary";
    EXPECT_EQ(lines[2], ":020000040002F8");
    EXPECT_EQ(lines[3].substr(0, 9), ":10000000");
    EXPECT_EQ(lines[4].substr(0, 9), ":08001000");
    EXPECT_EQ(lines[5], ":00000001FF");

    // What the writer makes reads back as the image at its address.
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    const HexText hex = ParseHexText(text);
    EXPECT_TRUE(hex.problems.empty());
    AddressBase base;
    std::vector<uint8_t> rebuilt;
    for (const Record& r : hex.records) {
        if (base.apply(r) || r.type != kData)
            continue;
        EXPECT_EQ(base.addressOf(r), 0x1FFF0 + rebuilt.size());
        rebuilt.insert(rebuilt.end(), r.data.begin(), r.data.end());
    }
    EXPECT_EQ(rebuilt, image);

    EXPECT_EQ(ImageRecords({}, 0, 16).size(), 1u) << "an empty image is the end-of-file record alone";
}

} // namespace
