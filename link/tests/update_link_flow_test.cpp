// QV-Update's link against the simulated instrument on virtual time.
#include "link/update_instrument_info.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/wire_protocol.h"
#include "platform/host/recording_progress.h"
#include "sim_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct UpdateBench {
    explicit UpdateBench(qv::sim::InstrumentOptions options = {}) : sim(options) {}
    SimBench sim;
    qv::UpdateChannel channel{sim.port, sim.host()};
    qv::UpdateLink link{channel};
    qv::UpdateIdentity identity;
    qv::UpdateInstrumentInfo info{link, identity};
    qv::UpdateTransfer transfer{link};
};

qv::sim::InstrumentOptions Options(uint16_t serial, char revision, bool text = true)
{
    qv::sim::InstrumentOptions o;
    o.serial = serial;
    o.revision = revision;
    o.answersText = text;
    return o;
}

} // namespace

TEST(UpdateLinkFlow, ReadsAndWritesWordsAndBytes)
{
    UpdateBench b;
    uint16_t word = 0;
    ASSERT_TRUE(b.link.ReadWord(0x1C112, word));
    EXPECT_EQ(word & 0xFF, '1');

    uint8_t flag = 1;
    ASSERT_TRUE(b.link.ReadProtectFlag(flag));
    ASSERT_EQ(flag, 0);
    ASSERT_TRUE(b.link.ToggleProtectFlag());
    b.sim.instrument.poke(0x1C400, std::vector<uint8_t>(8, 0));
    ASSERT_TRUE(b.link.WriteWord(0x1C402, 0x1F40));
    EXPECT_EQ(b.sim.instrument.peek(0x1C402, 2), (std::vector<uint8_t>{0x1F, 0x40}));
    ASSERT_TRUE(b.link.WriteByte(0x1C405, 0x7E));
    EXPECT_EQ(b.sim.instrument.peek(0x1C402, 4), (std::vector<uint8_t>{0x1F, 0x40, 0x00, 0x7E}));
    EXPECT_FALSE(b.link.ReadWord(0x1C07F, word)) << "a word never straddles two blocks";
}

TEST(UpdateLinkFlow, BlockTransfersSurviveCorruptChecksums)
{
    qv::sim::InstrumentOptions o;
    o.corruptChecksumEvery = 3;
    UpdateBench b(o);
    std::vector<uint8_t> data(128 * 128);
    qv::RecordingProgress item, overall;
    item.setMaximum(int64_t(data.size()));
    overall.setMaximum(int64_t(data.size()));
    ASSERT_TRUE(b.transfer.ReadBlocks(0x1C000, 128, data.data(), {&item, &overall}));
    EXPECT_EQ(data, b.sim.instrument.peek(0x1C000, data.size()));
    EXPECT_EQ(item.text(), "100 %");
    EXPECT_EQ(overall.text(), "99 %") << "the job, not the transfer, sets 100 %";
}

TEST(UpdateLinkFlow, WriteBlocks)
{
    UpdateBench b;
    uint8_t flag = 1;
    ASSERT_TRUE(b.link.ReadProtectFlag(flag));
    ASSERT_TRUE(b.link.ToggleProtectFlag());
    std::vector<uint8_t> data(4 * 128);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i ^ 0x5A);
    qv::RecordingProgress item;
    item.setMaximum(int64_t(data.size()));
    ASSERT_TRUE(b.transfer.WriteBlocks(0x1E000, 4, data.data(), {&item, nullptr}));
    EXPECT_EQ(b.sim.instrument.peek(0x1E000, data.size()), data);
    EXPECT_EQ(item.texts.front(), "0 %");
    EXPECT_EQ(item.text(), "100 %");
}

TEST(UpdateLinkFlow, GivesUpAfterItsAttempts)
{
    qv::sim::InstrumentOptions o;
    o.noAnswer = true;
    UpdateBench b(o);
    std::vector<uint8_t> data(128);
    auto start = b.sim.clock.nowUs();
    EXPECT_FALSE(b.transfer.ReadBlocks(0, 1, data.data()));
    // 6 address attempts, each 5 wake-ups: two bytes sent, 50 rounds of 3 ms.
    const double byteMs = 10.0 * 1000 / 9600;
    EXPECT_NEAR(double(b.sim.clock.nowUs() - start) / 1000, 6 * 5 * (2 * byteMs + 50 * 3), 0.1);
    EXPECT_EQ(b.transfer.ReadToBuffer(0, 1, data), qv::UpdateTransfer::kTransferNoReply);
}

TEST(UpdateLinkFlow, AbortEndsTheWaits)
{
    qv::sim::InstrumentOptions o;
    o.noAnswer = true;
    UpdateBench b(o);
    b.sim.pump.add([&] {
        if (b.sim.clock.nowMs() > 20)
            b.channel.Abort();
    });
    std::vector<uint8_t> data(128);
    EXPECT_FALSE(b.transfer.ReadBlocks(0, 1, data.data()));
    EXPECT_LT(b.sim.clock.nowMs(), 40);
}

TEST(UpdateLinkFlow, IdentifiesFromTextInformation)
{
    UpdateBench b(Options(55000, '1'));
    b.identity.boardCode = "300";
    b.info.ReadInstrumentInfo(true);
    EXPECT_TRUE(b.identity.connected);
    EXPECT_FALSE(b.identity.biosMode);
    EXPECT_EQ(b.identity.revision, '1');
    EXPECT_EQ(b.identity.serial, 55000);
    EXPECT_TRUE(b.identity.textInfoReceived);
    EXPECT_DOUBLE_EQ(b.identity.softwareVersion, 5.30);
    EXPECT_EQ(b.identity.type, 24);
    EXPECT_EQ(b.identity.typeName, "RX4480 Series");
    EXPECT_EQ(b.channel.rxMode, qv::RxMode::Binary);
}

TEST(UpdateLinkFlow, VersionFromMemoryWithoutTextInformation)
{
    struct Case {
        uint16_t serial;
        char revision;
        int type;
    } cases[] = {{12345, '1', 5}, {6200, '0', 2}, {65000, '1', 16}};
    for (const auto& c : cases) {
        UpdateBench b(Options(c.serial, c.revision, false));
        b.info.ReadInstrumentInfo(true);
        EXPECT_FALSE(b.identity.textInfoReceived);
        EXPECT_EQ(b.identity.serial, c.serial);
        EXPECT_EQ(b.identity.type, c.type);
        EXPECT_DOUBLE_EQ(b.identity.softwareVersion, 5.30);
    }
}

TEST(UpdateLinkFlow, OldRevisionReadsTheFirstWord)
{
    UpdateBench b(Options(12345, '0', false));
    b.sim.instrument.poke(0x1C000, {0x27, 0x10, 0x11, 0x11});
    b.info.ReadInstrumentInfo(true);
    EXPECT_EQ(b.identity.serial, 10000);
}

TEST(UpdateLinkFlow, BiosModeAndNoInstrument)
{
    qv::sim::InstrumentOptions bios;
    bios.biosMode = true;
    UpdateBench b(bios);
    b.info.ReadInstrumentInfo(true);
    EXPECT_TRUE(b.identity.connected);
    EXPECT_TRUE(b.identity.biosMode);
    EXPECT_EQ(b.identity.type, 13);
    EXPECT_EQ(b.identity.typeName, "Instrument in BIOS-Mode");
    EXPECT_TRUE(b.info.CheckedWordRead() == false && b.identity.biosMode);

    qv::sim::InstrumentOptions none;
    none.noAnswer = true;
    UpdateBench n(none);
    n.info.ReadInstrumentInfo(true);
    EXPECT_FALSE(n.identity.connected);
    EXPECT_EQ(n.identity.type, 12);
    EXPECT_EQ(n.identity.typeName, "Not Connected");
}

TEST(UpdateLinkFlow, CheckedWordReadAfterRestart)
{
    qv::sim::InstrumentOptions o;
    o.bootMs = 5000;
    UpdateBench b(o);
    ASSERT_TRUE(b.link.Restart());
    EXPECT_FALSE(b.info.CheckedWordRead()) << "still booting";
    EXPECT_FALSE(b.identity.connected);
    b.sim.clock.sleepMs(3000);
    EXPECT_TRUE(b.info.CheckedWordRead());
    EXPECT_TRUE(b.identity.connected);
    EXPECT_FALSE(b.identity.biosMode);
}
