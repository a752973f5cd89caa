#include "link/wire_protocol.h"

#include <gtest/gtest.h>

#include <vector>

using namespace qv::wire;

TEST(WireProtocol, AddressBytesSplitOffsetAndPage)
{
    struct Case {
        uint32_t address;
        std::array<uint8_t, 3> bytes;
    } cases[] = {
        {0x1C100, {0x00, 0x01, 0x07}},
        {0x1F80, {0x80, 0x1F, 0x00}},
        {0x40000, {0x00, 0x00, 0x10}},
        {0x3FFFFF, {0xFF, 0x3F, 0xFF}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AddressBytes(c.address), c.bytes) << std::hex << c.address;
}

TEST(WireProtocol, BlockChecksumComplementsTheSum)
{
    std::vector<uint8_t> ones(128, 0xFF);
    EXPECT_EQ(BlockChecksum(ones.data(), ones.size()), 0x7F);
    EXPECT_TRUE(BlockChecksumMatches(ones.data(), ones.size(), 0x7F));
    EXPECT_FALSE(BlockChecksumMatches(ones.data(), ones.size(), 0x80));

    std::vector<uint8_t> zeros(128, 0);
    EXPECT_EQ(BlockChecksum(zeros.data(), zeros.size()), 0xFF);
}

TEST(WireProtocol, CountByteAsymmetry)
{
    EXPECT_EQ(ReadCountByte(128), 0x80);
    EXPECT_EQ(WriteCountByte(128), 0x7F);
}

TEST(WireProtocol, Checksum55)
{
    const uint8_t bytes[] = {0x10, 0x20, 0xF0};
    EXPECT_EQ(Checksum55(bytes, 3), uint8_t((0x10 + 0x20 + 0xF0) & 0xFF) ^ 0x55);
    EXPECT_EQ(Checksum55(bytes, 0), 0x55);
}

TEST(WireProtocol, IdentityBlockByRevision)
{
    EXPECT_EQ(IdentityBlock(0), kIdentityBlockOld);
    EXPECT_EQ(IdentityBlock('0'), kIdentityBlockOld);
    EXPECT_EQ(IdentityBlock('1'), kIdentityBlockNew);
    EXPECT_EQ(IdentityBlock('7'), kIdentityBlockNew);
}
