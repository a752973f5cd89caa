#include "sim_test_support.h"

#include "sim/default_memory.h"

#include <gtest/gtest.h>

namespace qv::sim::test {
namespace {

constexpr uint8_t kAck = 0x05;
constexpr uint8_t kNak = 0x15;

Bytes acked(Bytes reply)
{
    reply.insert(reply.begin(), kAck);
    return reply;
}

TEST(InstrumentWakeUp, AnswersTheWakeUpAndListens)
{
    InstrumentDriver d;
    EXPECT_EQ(d.wakeUp(), Bytes{kAck});
    EXPECT_TRUE(d.instrument.listening());
}

struct IdleCase {
    const char* name;
    Bytes bytes;
};

TEST(InstrumentWakeUp, IdleInputWithoutTheFullWakeUpGetsNoAnswer)
{
    const IdleCase cases[] = {
        {"first byte alone", {0xA6}},
        {"second byte alone", {0x6D}},
        {"bytes reversed", {0x6D, 0xA6}},
        {"something in between", {0xA6, 'x', 0x6D}},
        {"a command without wake-up", {0x11, 0x80}},
        {"protect flag query without wake-up", {0x1A}},
    };
    for (const auto& c : cases) {
        InstrumentDriver d;
        EXPECT_TRUE(d.send(c.bytes).empty()) << c.name;
        EXPECT_FALSE(d.instrument.listening()) << c.name;
    }
}

struct AddressCase {
    Bytes sent;
    uint32_t address;
};

TEST(InstrumentAddress, ThreeBytesMakeA22BitAddress)
{
    const AddressCase cases[] = {
        {{0x00, 0x01, 0x07}, 0x1C100},
        {{0x80, 0x1F, 0x00}, 0x1F80},
        {{0x00, 0x00, 0x20}, 0x80000}, // above video memory, which the display keeps
        // The middle byte carries six bits only.
        {{0x34, 0xC1, 0x02}, 0x8134},
    };
    for (const auto& c : cases) {
        InstrumentDriver d;
        d.instrument.poke(c.address, {0x5A});
        d.wakeUp();
        EXPECT_EQ(d.send(Bytes{0x00}), Bytes{kAck});
        EXPECT_TRUE(d.send(Bytes{c.sent[0], c.sent[1]}).empty()) << "no answer before the third byte";
        EXPECT_EQ(d.send(Bytes{c.sent[2]}), Bytes{kAck});
        EXPECT_EQ(d.readBlock(1), acked(withChecksum({0x5A}))) << std::hex << c.address;
    }
}

TEST(InstrumentRead, SendsTheBlockAndItsChecksumFromTheSetAddress)
{
    InstrumentDriver d;
    d.instrument.poke(0x1C100, Bytes(128, 0xFF));
    d.instrument.poke(0x1C180, {1, 2, 3});
    d.wakeUp();
    d.setAddress(0x1C100);

    Bytes allOnes(128, 0xFF);
    allOnes.push_back(0x7F);
    EXPECT_EQ(d.readBlock(0x80), acked(allOnes));
    // Without a new address the next read starts at the same place: a
    // host retrying a block gets the same block again.
    EXPECT_EQ(d.readBlock(3), acked(withChecksum({0xFF, 0xFF, 0xFF})));
    d.setAddress(0x1C180);
    EXPECT_EQ(d.readBlock(3), acked(withChecksum({1, 2, 3})));
    EXPECT_EQ(d.instrument.blockReads(), 3);
}

TEST(InstrumentRead, CountZeroMeans256Bytes)
{
    InstrumentDriver d;
    d.wakeUp();
    d.setAddress(0);
    const Bytes reply = d.readBlock(0);
    ASSERT_EQ(reply.size(), 1u + 256u + 1u);
    EXPECT_EQ(Bytes(reply.begin() + 1, reply.end()), withChecksum(d.instrument.peek(0, 256)));
}

TEST(InstrumentWrite, NeedsTheProtectFlagAndAnIntactBlock)
{
    InstrumentDriver d;
    const Bytes before = d.instrument.peek(0x1C000, 128);
    Bytes data(128);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 7 + 1);
    // A write sends the count minus one.
    Bytes command{0x01, 0x7F};
    Bytes good = command;
    const Bytes block = withChecksum(data);
    good.insert(good.end(), block.begin(), block.end());
    Bytes corrupt = good;
    corrupt.back() ^= 0x01;

    d.wakeUp();
    d.setAddress(0x1C000);
    EXPECT_EQ(d.send(good), (Bytes{kAck, kNak})) << "refused without the protect flag";
    EXPECT_EQ(d.instrument.peek(0x1C000, 128), before);

    EXPECT_EQ(d.send(Bytes{0x1A}), Bytes{0x00}) << "the flag, without acknowledgement";
    EXPECT_EQ(d.send(Bytes{0x0A}), Bytes{kAck});
    EXPECT_TRUE(d.instrument.protectFlag());
    EXPECT_EQ(d.send(Bytes{0x1A}), Bytes{0x01});

    d.setAddress(0x1C000);
    EXPECT_EQ(d.send(corrupt), (Bytes{kAck, kNak}));
    EXPECT_EQ(d.instrument.peek(0x1C000, 128), before);
    EXPECT_EQ(d.send(good), (Bytes{kAck, kAck}));
    EXPECT_EQ(d.instrument.peek(0x1C000, 128), data);
    EXPECT_EQ(d.instrument.blockWrites(), 1);
}

TEST(InstrumentKeys, KeyPressIsAcknowledgedTwiceAndRecorded)
{
    InstrumentDriver d;
    d.wakeUp();
    EXPECT_EQ(d.send(Bytes{0x0F}), Bytes{kAck});
    EXPECT_EQ(d.send(Bytes{0x03}), Bytes{kAck});
    EXPECT_EQ(d.send(Bytes{0x0F, 0x08}), (Bytes{kAck, kAck}));
    EXPECT_EQ(d.instrument.keysPressed(), (std::vector<int>{3, 8}));
}

TEST(InstrumentRestart, IsDeafWhileBootingAndComesBackUnprotected)
{
    InstrumentOptions options;
    options.bootMs = 2000;
    InstrumentDriver d(options);
    d.wakeUp();
    d.send(Bytes{0x0A});
    ASSERT_TRUE(d.instrument.protectFlag());

    EXPECT_EQ(d.send(Bytes{0x0E}), Bytes{kAck});
    EXPECT_EQ(d.instrument.restartCount(), 1);
    d.pauseMs(1990);
    EXPECT_TRUE(d.wakeUp().empty()) << "still booting";
    d.pauseMs(10);
    EXPECT_FALSE(d.instrument.bootingAt(d.timeUs));
    EXPECT_EQ(d.wakeUp(), Bytes{kAck});
    EXPECT_FALSE(d.instrument.protectFlag());
}

// New software written into the version area is the software that boots:
// the restart reports its version, in the DOT identity and the front panel.
TEST(InstrumentRestart, ReportsTheVersionOfTheSoftwareInMemory)
{
    struct Case {
        const char* name;
        std::string marker; // as the software text reads, before pair reversal
        uint16_t expected;
    } cases[] = {
        {"new software", "SOFTWARE VERSION 5.40  ", 0x0540},
        {"two-digit major version", "SOFTWARE VERSION 10.02 ", 0x1002},
        {"no marker: the version stays", std::string(24, ' '), 0x0530},
        {"a marker without its digits", "SOFTWARE VERSION x.yy  ", 0x0530},
    };
    for (const auto& c : cases) {
        InstrumentDriver d;
        ASSERT_EQ(d.instrument.options().softwareVersion, 0x0530);
        d.instrument.poke(kVersionMarkerAt, pairReversed(c.marker));
        EXPECT_EQ(d.instrument.options().softwareVersion, 0x0530) << c.name << ": not before the restart";
        d.wakeUp();
        d.send(Bytes{0x0E});
        EXPECT_EQ(d.instrument.options().softwareVersion, c.expected) << c.name;
        d.pauseMs(d.instrument.options().bootMs);
        const Bytes reply = d.send("\r.LI1,-\r");
        EXPECT_NE(std::string(reply.begin(), reply.end()).find(".AI7," + std::to_string(c.expected) + "\r\n"),
                  std::string::npos)
            << c.name;
    }
}

TEST(InstrumentListening, OtherBytesEndListeningAndAreTakenAsIdleInput)
{
    InstrumentDriver d;
    d.wakeUp();
    d.setAddress(0x1C100);
    d.readBlock(0x80);
    // Text right after a binary exchange is understood...
    const Bytes reply = d.send("\r.LI21,-\r.LI1,-\r");
    EXPECT_FALSE(reply.empty());
    EXPECT_FALSE(d.instrument.listening());
    // ...and so is a wake-up that arrives while it still listens.
    d.wakeUp();
    d.send(Bytes{0x0A});
    EXPECT_EQ(d.wakeUp(), Bytes{kAck});
}

struct GapCase {
    int gapMs;
    Bytes rest;
    Bytes reply;
    int timeoutMs = 50;
};

TEST(InstrumentTimeout, ACommandWhoseParametersStopIsAbandoned)
{
    const GapCase cases[] = {
        {40, {0x01, 0x07}, {kAck}},  // still the address
        {60, {0x01, 0x07}, {}},      // abandoned: just idle input now
        {60, {0xA6, 0x6D}, {kAck}},  // a host that gave up gets its wake-up answered
        {60, {0x01, 0x07}, {kAck}, 100}, // a longer timeout set: still the address
    };
    for (const auto& c : cases) {
        InstrumentOptions options;
        options.commandTimeoutMs = c.timeoutMs;
        InstrumentDriver d(options);
        d.wakeUp();
        d.send(Bytes{0x00, 0x00});
        d.pauseMs(c.gapMs);
        EXPECT_EQ(d.send(c.rest), c.reply) << c.gapMs;
    }
}

TEST(InstrumentBiosMode, AcknowledgesAReadButSendsNoData)
{
    InstrumentOptions options;
    options.biosMode = true;
    InstrumentDriver d(options);
    EXPECT_EQ(d.wakeUp(), Bytes{kAck});
    EXPECT_EQ(d.setAddress(0x1C100), (Bytes{kAck, kAck}));
    EXPECT_EQ(d.readBlock(0x80), Bytes{kAck});
    EXPECT_FALSE(d.instrument.listening());
    EXPECT_EQ(d.instrument.blockReads(), 0);
    EXPECT_TRUE(d.send("\r.LI1,-\r").empty());

    // The boot loader takes software without the protect flag; keys and
    // restart still work.
    d.wakeUp();
    ASSERT_FALSE(d.instrument.protectFlag());
    d.setAddress(0x100);
    Bytes write{0x01, 0x01};
    const Bytes block = withChecksum({9, 8});
    write.insert(write.end(), block.begin(), block.end());
    EXPECT_EQ(d.send(write), (Bytes{kAck, kAck}));
    EXPECT_EQ(d.instrument.peek(0x100, 2), (Bytes{9, 8}));
    EXPECT_EQ(d.send(Bytes{0x0F, 0x02}), (Bytes{kAck, kAck}));
    EXPECT_EQ(d.send(Bytes{0x0E}), Bytes{kAck});
}

} // namespace
} // namespace qv::sim::test
