#include "sim_test_support.h"

#include <gtest/gtest.h>

namespace qv::sim::test {
namespace {

bool checksumMatches(const Bytes& reply)
{
    // reply: acknowledgement, data, checksum
    uint8_t sum = 0;
    for (size_t i = 1; i < reply.size(); ++i)
        sum = uint8_t(sum + reply[i]);
    return sum == 0xFF;
}

TEST(InstrumentFaults, EveryNthBlockReadCarriesAWrongChecksum)
{
    InstrumentOptions options;
    options.corruptChecksumEvery = 3;
    InstrumentDriver d(options);
    d.wakeUp();
    std::vector<bool> good;
    for (int i = 0; i < 6; ++i) {
        d.setAddress(0x1C000);
        const Bytes reply = d.readBlock(0x80);
        ASSERT_EQ(reply.size(), 130u);
        good.push_back(checksumMatches(reply));
    }
    EXPECT_EQ(good, (std::vector<bool>{true, true, false, true, true, false}));
}

TEST(InstrumentFaults, EveryNthByteSentIsLost)
{
    InstrumentOptions options;
    options.dropByteEvery = 5;
    InstrumentDriver d(options);
    // Sent bytes 1 to 3: the wake-up and address acknowledgements.
    EXPECT_EQ(d.wakeUp().size(), 1u);
    EXPECT_EQ(d.setAddress(0x1C000).size(), 2u);
    // The read sends bytes 4 to 133; the 26 multiples of 5 among them are lost.
    const Bytes reply = d.readBlock(0x80);
    EXPECT_EQ(reply.size(), 1u + 128u + 1u - 26u);
    EXPECT_EQ(reply[0], 0x05);
}

TEST(InstrumentFaults, ALockedInstrumentRefusesWritesAndGains)
{
    InstrumentOptions options;
    options.writeLocked = true;
    InstrumentDriver d(options);
    d.wakeUp();
    d.send(Bytes{0x0A}); // protect flag set, as for any block write
    d.setAddress(0x1CE00);
    const Bytes before = d.instrument.peek(0x1CE00, 128);
    Bytes write{0x01, 0x7F};
    const Bytes data = withChecksum(Bytes(128, 0x41));
    write.insert(write.end(), data.begin(), data.end());
    EXPECT_EQ(d.send(write), (Bytes{0x05, 0x15})) << "the block is not acknowledged";
    EXPECT_EQ(d.instrument.peek(0x1CE00, 128), before);
    EXPECT_EQ(d.instrument.blockWrites(), 0);

    const Bytes reply = d.send("\r.SG35,-45\r");
    EXPECT_EQ(std::string(reply.begin(), reply.end()), ".FG35,-45\r\n");
    EXPECT_EQ(d.instrument.live().gain(35), 0);
}

TEST(InstrumentFaults, NoAnswerIgnoresEverything)
{
    InstrumentOptions options;
    options.noAnswer = true;
    InstrumentDriver d(options);
    EXPECT_TRUE(d.wakeUp().empty());
    EXPECT_TRUE(d.send(Bytes{0x0A, 0x1A, 0x0E}).empty());
    EXPECT_TRUE(d.send("\r.LI1,-\r").empty());
    EXPECT_FALSE(d.instrument.protectFlag());
    EXPECT_EQ(d.instrument.restartCount(), 0);
    EXPECT_TRUE(d.instrument.textLines().empty());
}

} // namespace
} // namespace qv::sim::test
