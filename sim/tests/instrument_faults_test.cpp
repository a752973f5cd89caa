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
