// QV-Matrix's link against the simulated instrument on virtual time.
#include "link/matrix_link.h"
#include "link/wire_protocol.h"
#include "sim_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct MatrixBench : MatrixSimBench {
    using MatrixSimBench::MatrixSimBench;

    bool readBlock(uint32_t address, uint8_t* block)
    {
        return link.WriteBDMAaddr(address) && link.ReadBDMA(qv::wire::kCmdReadBlock, 128, block);
    }
};

qv::sim::InstrumentOptions WithSerial(uint16_t serial, char revision)
{
    qv::sim::InstrumentOptions o;
    o.serial = serial;
    o.revision = revision;
    return o;
}

} // namespace

TEST(MatrixLinkFlow, WakeUpOnlyAfterAFailure)
{
    MatrixBench b;
    ASSERT_TRUE(b.link.WriteBDMAaddr(0x1C000));
    auto before = b.sim.wire.bytesToInstrument();
    ASSERT_TRUE(b.link.WriteBDMAaddr(0x1C000));
    EXPECT_EQ(b.sim.wire.bytesToInstrument() - before, 4u) << "command and address only";

    b.link.lastResult = false;
    before = b.sim.wire.bytesToInstrument();
    ASSERT_TRUE(b.link.WriteBDMAaddr(0x1C000));
    EXPECT_EQ(b.sim.wire.bytesToInstrument() - before, 6u) << "wake-up first";
}

TEST(MatrixLinkFlow, ReadsBlocksExactly)
{
    MatrixBench b;
    uint8_t block[128];
    ASSERT_TRUE(b.readBlock(0x1C000, block));
    EXPECT_EQ(std::vector<uint8_t>(block, block + 128), b.sim.instrument.peek(0x1C000, 128));
    ASSERT_TRUE(b.readBlock(0x200, block));
    EXPECT_EQ(std::vector<uint8_t>(block, block + 128), b.sim.instrument.peek(0x200, 128));
    EXPECT_TRUE(b.sim.prompter.shown().empty());
}

TEST(MatrixLinkFlow, CorruptChecksumIsAFailedRead)
{
    qv::sim::InstrumentOptions o;
    o.corruptChecksumEvery = 1;
    MatrixBench b(o);
    uint8_t block[128];
    EXPECT_FALSE(b.readBlock(0x1C000, block));
    EXPECT_FALSE(b.link.lastResult);
}

TEST(MatrixLinkFlow, WriteNeedsTheProtectFlag)
{
    MatrixBench b;
    std::vector<uint8_t> data(128);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 3);
    const auto before = b.sim.instrument.peek(0x1D000, 128);
    ASSERT_TRUE(b.link.WriteBDMAaddr(0x1D000));
    EXPECT_FALSE(b.link.WriteBDMA(128, data.data()));
    EXPECT_EQ(b.sim.instrument.peek(0x1D000, 128), before);

    ASSERT_TRUE(b.link.ForcedWakeUp());
    auto flag = b.link.ReadProtectFlag();
    ASSERT_TRUE(flag.ok);
    EXPECT_EQ(flag.reply, 0);
    ASSERT_TRUE(b.link.ToggleProtectFlag());
    ASSERT_TRUE(b.link.WriteBDMAaddr(0x1D000));
    ASSERT_TRUE(b.link.WriteBDMA(128, data.data()));
    EXPECT_EQ(b.sim.instrument.peek(0x1D000, 128), data);
    EXPECT_TRUE(b.sim.prompter.shown().empty());
}

TEST(MatrixLinkFlow, KeysAndRestart)
{
    MatrixBench b;
    EXPECT_TRUE(b.link.PressKey(3));
    EXPECT_TRUE(b.link.WriteKeyboard(8));
    EXPECT_EQ(b.sim.instrument.keysPressed(), (std::vector<int>{3, 8}));
    EXPECT_TRUE(b.link.RestartRVT());
    EXPECT_EQ(b.sim.instrument.restartCount(), 1);
}

TEST(MatrixLinkFlow, IdentifiesBothIdentityLayouts)
{
    struct Case {
        uint16_t serial;
        char revision;
        std::string serialText;
        int type;
        std::string programSize;
        std::string mirror;
    } cases[] = {
        {12345, '1', "12345", 5, "1024", "12345.mrr"},
        {8500, '0', "8500", 4, "2048", "8500.mrr"},
        {0xFFFF, '1', "-1", 0, "1024", "Flash.mrr"},
        {65000, '2', "65000", 14, "1024", "65000.mrr"},
    };
    for (const auto& c : cases) {
        MatrixBench b(WithSerial(c.serial, c.revision));
        ASSERT_TRUE(b.link.GetInstrumentId(false)) << c.serial;
        EXPECT_TRUE(b.record.connected);
        EXPECT_FALSE(b.record.biosMode);
        EXPECT_EQ(b.record.revision, c.revision);
        EXPECT_EQ(b.record.serialText, c.serialText);
        EXPECT_EQ(b.record.type, c.type) << c.serial;
        EXPECT_EQ(b.record.programSize, c.programSize);
        EXPECT_EQ(b.link.mirrorFileName, c.mirror);
        EXPECT_TRUE(b.sim.prompter.shown().empty());
    }
}

TEST(MatrixLinkFlow, OldRevisionReadsBytesTwoAndThree)
{
    MatrixBench b(WithSerial(12345, '0'));
    // Bytes 0-1 hold something else: only bytes 2-3 count for this program.
    b.sim.instrument.poke(0x1C000, {0x11, 0x11, 0x27, 0x10});
    ASSERT_TRUE(b.link.GetInstrumentId(false));
    EXPECT_EQ(b.record.serialText, "10000");
}

TEST(MatrixLinkFlow, BiosModeAnswersButLeavesTypeAndSerial)
{
    qv::sim::InstrumentOptions o;
    o.biosMode = true;
    MatrixBench b(o);
    b.record.type = 9;
    b.record.serialText = "30001";
    // The boot loader takes the read command and stays silent: that silence
    // must end the identification soon, with events running meanwhile.
    int64_t lastPumpMs = b.sim.clock.nowMs();
    int64_t longestGapMs = 0;
    b.sim.pump.add([&] {
        longestGapMs = std::max(longestGapMs, b.sim.clock.nowMs() - lastPumpMs);
        lastPumpMs = b.sim.clock.nowMs();
    });
    const int64_t start = b.sim.clock.nowMs();
    ASSERT_TRUE(b.link.GetInstrumentId(false));
    EXPECT_LE(b.sim.clock.nowMs() - start, 2000);
    EXPECT_LE(longestGapMs, 50);
    EXPECT_TRUE(b.record.biosMode);
    EXPECT_EQ(b.record.type, 9);
    EXPECT_EQ(b.record.serialText, "30001");
    EXPECT_EQ(b.record.revision, 0);
    EXPECT_TRUE(b.sim.prompter.shown().empty()) << "no RS232 Timeout dialogs in BIOS mode";
}

TEST(MatrixLinkFlow, NoInstrument)
{
    qv::sim::InstrumentOptions o;
    o.noAnswer = true;
    MatrixBench b(o);
    b.record.type = 5;
    b.record.serialText = "12345";
    EXPECT_FALSE(b.link.GetInstrumentId(false));
    EXPECT_FALSE(b.record.connected);
    EXPECT_EQ(b.record.type, 0);
    EXPECT_EQ(b.record.serialText, "");
    EXPECT_EQ(b.sim.prompter.texts(), std::vector<std::string>{"No instrument found."});

    MatrixBench quiet(o);
    EXPECT_FALSE(quiet.link.GetInstrumentId(true));
    EXPECT_TRUE(quiet.sim.prompter.shown().empty());
}

TEST(MatrixLinkFlow, MissingReplyShowsTimeoutAndSetsTheFlag)
{
    MatrixBench b;
    ASSERT_TRUE(b.link.ForcedWakeUp());
    b.sim.instrument.options().noAnswer = true;
    auto r = b.link.ReadProtectFlag();
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.reply, 0x20);
    EXPECT_TRUE(b.channel.timeout);
    EXPECT_EQ(b.sim.prompter.count("RS232 Timeout"), 1);
    EXPECT_EQ(b.sim.prompter.shown()[0].kind, qv::MessageKind::Error);
}

TEST(MatrixLinkFlow, WaitsEndAtTheirBounds)
{
    qv::sim::InstrumentOptions o;
    o.noAnswer = true;
    MatrixBench b(o);
    auto start = b.sim.clock.nowUs();
    EXPECT_FALSE(b.link.ForcedWakeUp());
    // Six attempts, each two bytes sent and WaitInput(1): 31 rounds of 1 ms.
    const double byteMs = 10.0 * 1000 / 9600;
    EXPECT_NEAR(double(b.sim.clock.nowUs() - start) / 1000, 6 * (2 * byteMs + 31), 0.05);
}
