#include "sim/simulated_wire.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::sim::test {
namespace {

class WireTest : public ::testing::Test {
protected:
    void write(const Bytes& bytes) { wire.hostWrite(bytes.data(), bytes.size()); }
    void advanceTo(int64_t us) { clock.advanceUs(us - clock.nowUs()); }
    Bytes readAll()
    {
        Bytes bytes(size_t(wire.hostAvailable()));
        bytes.resize(size_t(wire.hostRead(bytes.data(), int(bytes.size()))));
        return bytes;
    }
    // Arrival of the end of the nth byte time at 9600 baud, rounded up to the next microsecond.
    static int64_t byteTimesUs(int64_t n) { return (n * 3125 + 2) / 3; }

    VirtualClock clock;
    Instrument instrument;
    SimulatedWire wire{instrument, clock};
};

TEST_F(WireTest, BlockReadArrivesByteByByteAtTheLineRate)
{
    write({0xA6, 0x6D, 0x00, 0x00, 0x01, 0x07});
    clock.advanceUs(20'000);
    ASSERT_EQ(readAll(), (Bytes{0x05, 0x05, 0x05}));

    // As a host that waits for each acknowledgement: command, then count.
    const int64_t start = clock.nowUs();
    write({0x11});
    EXPECT_EQ(wire.usUntilNextHostByte(), byteTimesUs(2));
    advanceTo(start + byteTimesUs(2) - 1);
    ASSERT_EQ(wire.hostAvailable(), 0);
    advanceTo(start + byteTimesUs(2));
    ASSERT_EQ(readAll(), Bytes{0x05});

    const int64_t countSent = clock.nowUs();
    const uint64_t linesBefore = wire.bytesToInstrument() + wire.bytesToHost();
    write({0x80});
    // After the count byte's own time, one block byte per byte time.
    Bytes block;
    for (int64_t n = 2; n <= 130; ++n) {
        advanceTo(countSent + byteTimesUs(n) - 1);
        ASSERT_EQ(wire.hostAvailable(), 0) << "byte time " << n << ": early";
        advanceTo(countSent + byteTimesUs(n));
        const Bytes got = readAll();
        ASSERT_EQ(got.size(), 1u) << "byte time " << n << ": late";
        block.push_back(got[0]);
    }
    EXPECT_EQ(block, withChecksum(instrument.peek(0x1C100, 128)));
    EXPECT_EQ(wire.usUntilNextHostByte(), -1);

    // The count byte and the 129 reply bytes, nothing else, in exact line time.
    const uint64_t onTheLine = wire.bytesToInstrument() + wire.bytesToHost() - linesBefore;
    EXPECT_EQ(onTheLine, 130u);
    EXPECT_EQ(clock.nowUs() - countSent, int64_t(std::ceil(double(onTheLine) * wire.byteTimeUs())));
}

struct StreamCase {
    int baud;
    size_t bytes;
    int64_t lastArrivalUs; // rounded up
};

TEST(WireRate, LongStreamsKeepExactTime)
{
    // A whole configuration image: rounding each byte time would drift by milliseconds.
    const StreamCase cases[] = {
        {9600, 16384, 17'066'667},
        {115200, 16384, 1'422'223},
        {115200, 1, 87},
    };
    for (const auto& c : cases) {
        VirtualClock clock;
        InstrumentOptions options;
        options.noAnswer = true;
        Instrument instrument(options);
        SimulatedWire wire(instrument, clock);
        wire.setBaudRate(c.baud);
        const Bytes data(c.bytes, 'x');
        wire.hostWrite(data.data(), data.size());
        clock.advanceUs(c.lastArrivalUs - 1);
        EXPECT_EQ(wire.hostPendingOutput(), 1) << c.baud << " " << c.bytes;
        clock.advanceUs(1);
        EXPECT_EQ(wire.hostPendingOutput(), 0) << c.baud << " " << c.bytes;
        EXPECT_EQ(wire.bytesToInstrument(), c.bytes);
    }
}

TEST_F(WireTest, ClearingInputDropsOnlyWhatHasArrived)
{
    write({0xA6, 0x6D, 0x00, 0x00, 0x01, 0x07, 0x11, 0x80});
    advanceTo(byteTimesUs(70));
    const int arrived = wire.hostAvailable();
    ASSERT_GT(arrived, 0);
    wire.hostClearInput();
    EXPECT_EQ(wire.hostAvailable(), 0);
    clock.advanceUs(1'000'000);
    // 3 acknowledgements before the read, the read's acknowledgement, 128 data, checksum.
    EXPECT_EQ(wire.hostAvailable(), 3 + 1 + 128 + 1 - arrived);
}

TEST_F(WireTest, RepliesQueueBehindEachOther)
{
    // Two identity queries back to back: the second answer follows the first on the line.
    const Bytes query = textBytes("\r.LI1,-\r\r.LI11,-\r");
    write(query);
    clock.advanceUs(2'000'000);
    const Bytes replies = readAll();
    const std::string text(replies.begin(), replies.end());
    EXPECT_EQ(text.find(".AI1,"), 0u);
    EXPECT_NE(text.find(".AI17,"), std::string::npos);
    EXPECT_EQ(wire.bytesToHost(), replies.size());
}

} // namespace
} // namespace qv::sim::test
