#include "packages/crc32.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace qv {
namespace {

std::span<const uint8_t> Bytes(const std::string& s)
{
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

TEST(CRC32, CheckValueAndEmptyInput)
{
    EXPECT_EQ(CRC32(Bytes("123456789")), 0xCBF43926u);
    std::istringstream check("123456789");
    EXPECT_EQ(CRC32(check), 0xCBF43926u);

    EXPECT_EQ(CRC32(std::span<const uint8_t>{}), 0u);
    std::istringstream empty;
    EXPECT_EQ(CRC32(empty), 0u);
}

TEST(CRC32, StreamSumsFromItsPositionToItsEnd)
{
    std::istringstream in("xyz123456789");
    in.seekg(3);
    EXPECT_EQ(CRC32(in), 0xCBF43926u);
    EXPECT_FALSE(in.bad());
}

TEST(CRC32, StreamAcrossChunkBoundariesMatchesMemory)
{
    // Lengths around the chunk size catch a lost or repeated partial chunk.
    for (size_t length : {kCrcChunkSize - 1, kCrcChunkSize, kCrcChunkSize + 1, 3 * kCrcChunkSize + 17}) {
        SCOPED_TRACE(length);
        std::string data(length, '\0');
        for (size_t i = 0; i < length; ++i)
            data[i] = char(i * 131 + 7);
        std::istringstream in(data);
        EXPECT_EQ(CRC32(in), CRC32(Bytes(data)));
    }
}

TEST(CRC32, ContinueEqualsOneSum)
{
    const std::string a = "12345", b = "6789";
    EXPECT_EQ(CRC32Continue(CRC32(Bytes(a)), Bytes(b)), 0xCBF43926u);
    EXPECT_EQ(CRC32Continue(0xCBF43926u, {}), 0xCBF43926u);
}

} // namespace
} // namespace qv
