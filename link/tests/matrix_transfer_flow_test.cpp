// QV-Matrix's transfer engine against the simulated instrument on virtual time.
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/update_download_mode.h"
#include "link/update_link.h"
#include "platform/host/recording_progress.h"
#include "sim_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace {

struct FakeView : qv::HeadlessTransferView {
    FakeView()
    {
        setBar(bar_);
        setMainCaption("QV-Matrix v. 1.4 ");
        setTextLine("Reading Software Version.");
    }
    void setBusyCursor(bool b) override { busy += b ? 1 : -1; }
    qv::RecordingProgress bar_;
    int busy = 0;
};

struct TransferBench : MatrixSimBench {
    using MatrixSimBench::MatrixSimBench;
    FakeView view;
    qv::MatrixTransfer transfer{link, view};

    std::vector<uint8_t> pattern(size_t n, uint8_t seed)
    {
        std::vector<uint8_t> data(n);
        for (size_t i = 0; i < n; ++i)
            data[i] = uint8_t(i * 7 + seed);
        return data;
    }
    // Runs action once, when virtual time has passed t.
    void atMs(int64_t t, std::function<void()> action)
    {
        sim.pump.add([this, t, action = std::move(action)]() mutable {
            if (action && sim.clock.nowMs() >= t)
                std::exchange(action, nullptr)();
        });
    }
    // Cancels like closing the progress window.
    void cancelAfterMs(int64_t t)
    {
        atMs(t, [this] { transfer.cancel = true; });
    }
};

std::filesystem::path TempFile(const std::string& name)
{
    return std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name);
}

} // namespace

TEST(MatrixTransferFlow, UploadAndDownloadTheConfiguration)
{
    TransferBench b;
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    EXPECT_EQ(b.view.timesShown(), 1);
    EXPECT_EQ(b.view.caption(), "QV-Matrix v. 1.4 ");
    EXPECT_EQ(b.view.textLine(), "Reading Software Version.") << "the text line survives the connect";

    std::vector<uint8_t> image(16384);
    ASSERT_TRUE(b.transfer.ReadMemory(0x11, 0x1C000, image.data(), 128));
    EXPECT_EQ(image, b.sim.instrument.peek(0x1C000, image.size()));
    EXPECT_EQ(b.view.bar_.positions.front(), 0);
    EXPECT_EQ(b.view.bar_.position(), 16384);

    auto edited = b.pattern(16384, 3);
    ASSERT_TRUE(b.transfer.WriteMemory(0x1C000, edited.data(), edited.size() - 1));
    EXPECT_EQ(b.sim.instrument.peek(0x1C000, edited.size()), edited);
    EXPECT_TRUE(b.sim.instrument.protectFlag()) << "toggled on, as it was read as 0";
    EXPECT_EQ(b.view.bar_.maximum(), 16384);
    EXPECT_EQ(b.view.bar_.position(), 16384);
    EXPECT_TRUE(b.sim.prompter.shown().empty());
}

TEST(MatrixTransferFlow, ProtectFlagToggledOnlyWhenReadAsZero)
{
    TransferBench b;
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    auto data = b.pattern(256, 1);
    ASSERT_TRUE(b.transfer.WriteMemory(0x1D000, data.data(), data.size() - 1));
    ASSERT_TRUE(b.sim.instrument.protectFlag());
    data = b.pattern(256, 2);
    b.cancelAfterMs(b.sim.clock.nowMs() + 5000); // a wrong toggle would refuse every block
    ASSERT_TRUE(b.transfer.WriteMemory(0x1D000, data.data(), data.size() - 1));
    EXPECT_FALSE(b.transfer.cancel);
    EXPECT_TRUE(b.sim.instrument.protectFlag());
    EXPECT_EQ(b.sim.instrument.peek(0x1D000, 256), data);
}

TEST(MatrixTransferFlow, MirrorSkipsUnchangedBlocks)
{
    TransferBench b;
    auto mirror = TempFile("mirror.mrr");
    std::filesystem::remove(mirror);
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    b.link.mirrorFileName = mirror.string();
    b.transfer.dspFile.flashMirror = true;
    auto data = b.pattern(4 * 128, 9);
    ASSERT_TRUE(b.transfer.WriteMemory(0x1000, data.data(), data.size() - 1));
    EXPECT_EQ(b.sim.instrument.blockWrites(), 4);
    EXPECT_EQ(std::filesystem::file_size(mirror), 262144u);

    data[130] ^= 0xFF; // block 1 changes
    ASSERT_TRUE(b.transfer.WriteMemory(0x1000, data.data(), data.size() - 1));
    EXPECT_EQ(b.sim.instrument.blockWrites(), 5) << "only the changed block is sent";
    EXPECT_EQ(b.sim.instrument.peek(0x1000, data.size()), data);
    std::filesystem::remove(mirror);
}

// A block the instrument never acknowledged is not in the mirror, so the
// same write again sends it.
TEST(MatrixTransferFlow, MirrorHoldsOnlyAcknowledgedBlocks)
{
    struct Case {
        const char* what;
        std::function<void(TransferBench&, int64_t start)> interrupt;
        bool timesOut;
        bool eachBlockOnce; // false where a lost acknowledgement makes a block go twice
    } cases[] = {
        {"progress window closed half-way",
         [](TransferBench& b, int64_t start) { b.cancelAfterMs(start + 1000); }, false, true},
        {"instrument stopped answering, then the window was closed",
         [](TransferBench& b, int64_t start) {
             b.atMs(start + 1000, [&b] { b.sim.instrument.options().noAnswer = true; });
             b.cancelAfterMs(start + 4000);
         },
         false, true},
        {"a reply lost: RS232 Timeout",
         [](TransferBench& b, int64_t start) {
             b.sim.instrument.options().dropByteEvery = 23;
             b.cancelAfterMs(start + 60000); // in case no timeout ends it
         },
         true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TransferBench b;
        auto mirror = TempFile("acknowledged.mrr");
        std::filesystem::remove(mirror);
        ASSERT_TRUE(b.transfer.ConnectInstrument(true));
        b.link.mirrorFileName = mirror.string();
        b.transfer.dspFile.flashMirror = true;
        auto data = b.pattern(16 * 128, 5);

        c.interrupt(b, b.sim.clock.nowMs());
        b.transfer.WriteMemory(0x2000, data.data(), data.size() - 1);
        ASSERT_NE(b.sim.instrument.peek(0x2000, data.size()), data) << "the first write must end early";
        EXPECT_EQ(b.channel.timeout, c.timesOut);

        b.sim.instrument.options() = {};
        b.transfer.cancel = false;
        b.channel.timeout = false;
        EXPECT_TRUE(b.transfer.WriteMemory(0x2000, data.data(), data.size() - 1));
        EXPECT_EQ(b.sim.instrument.peek(0x2000, data.size()), data);
        if (c.eachBlockOnce) {
            EXPECT_EQ(b.sim.instrument.blockWrites(), 16) << "only the blocks not acknowledged go again";
        }
        std::filesystem::remove(mirror);
    }
}

TEST(MatrixTransferFlow, MirrorThatCannotBeCreatedIsReportedAndSkipped)
{
    TransferBench b;
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    b.link.mirrorFileName = "/nonexistent-folder/12345.mrr";
    b.transfer.dspFile.flashMirror = true;
    auto data = b.pattern(128, 4);
    ASSERT_TRUE(b.transfer.WriteMemory(0x1000, data.data(), data.size() - 1));
    EXPECT_EQ(b.sim.prompter.texts(), std::vector<std::string>{"Unable to create file"});
    EXPECT_EQ(b.sim.instrument.peek(0x1000, 128), data);
}

TEST(MatrixTransferFlow, ModifiesWordsFromValueTexts)
{
    struct Case {
        const char* text;
        std::vector<uint8_t> bytes;
    } cases[] = {{"$1F40", {0x1F, 0x40}}, {"100*1.5", {0x00, 0x96}}, {"100/3", {0x00, 0x21}}, {"7+0.9", {0x00, 0x07}}};
    for (const auto& c : cases) {
        TransferBench b;
        ASSERT_TRUE(b.transfer.ConnectInstrument(true));
        auto flag = b.link.ReadProtectFlag();
        if (flag.ok && flag.reply == 0)
            b.link.ToggleProtectFlag();
        ASSERT_TRUE(b.transfer.ModifyMemoryWord(0x1C412, c.text)) << c.text;
        EXPECT_EQ(b.sim.instrument.peek(0x1C412, 2), c.bytes) << c.text;
        EXPECT_EQ(b.view.bar_.position(), 2);
        EXPECT_EQ(b.view.textLine(), "");
    }
    TransferBench bad;
    EXPECT_FALSE(bad.transfer.ModifyMemoryWord(0x1C412, "12abc"));
    EXPECT_FALSE(bad.transfer.ModifyMemoryWord(0x1C47F, "1")) << "a word never straddles two blocks";
}

TEST(MatrixTransferFlow, CancelEndsARunningTransfer)
{
    TransferBench b;
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    const int64_t start = b.sim.clock.nowMs();
    b.cancelAfterMs(start + 2000);
    std::vector<uint8_t> image(16384);
    EXPECT_TRUE(b.transfer.ReadMemory(0x11, 0x1C000, image.data(), 128)) << "partly read";
    EXPECT_TRUE(b.transfer.cancel);
    EXPECT_LT(b.view.bar_.position(), 16384);
    EXPECT_GT(b.view.bar_.position(), 0);
    EXPECT_LT(b.sim.clock.nowMs() - start, 2500);
}

TEST(MatrixTransferFlow, APortThatGoesAwayEndsTheReadUnfinished)
{
    TransferBench b;
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    const int64_t start = b.sim.clock.nowMs();
    b.atMs(start + 2000, [&] { b.sim.port.setUnplugged(true); });
    std::vector<uint8_t> image(16384);
    EXPECT_FALSE(b.transfer.ReadMemory(0x11, 0x1C000, image.data(), 128)) << "not reported as read";
    EXPECT_FALSE(b.transfer.cancel);
    EXPECT_LT(b.sim.clock.nowMs() - start, 5000) << "no retrying without end";
}

TEST(MatrixTransferFlow, SilentInstrumentIsRetriedUntilCancelled)
{
    TransferBench b;
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    b.sim.instrument.options().noAnswer = true;
    b.cancelAfterMs(b.sim.clock.nowMs() + 60000);
    std::vector<uint8_t> block(128);
    EXPECT_FALSE(b.transfer.ReadMemory(0x11, 0x1C000, block.data(), 1));
    EXPECT_TRUE(b.transfer.cancel);
}

TEST(MatrixTransferFlow, ABlockThatNeverComesLetsTheCancelThrough)
{
    TransferBench b;
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    b.sim.instrument.options().biosMode = true; // takes the read command, sends no block
    const int64_t cancelAt = b.sim.clock.nowMs() + 3000;
    b.cancelAfterMs(cancelAt);
    std::vector<uint8_t> block(128);
    EXPECT_FALSE(b.transfer.ReadMemory(0x11, 0x1C000, block.data(), 1));
    EXPECT_TRUE(b.transfer.cancel);
    EXPECT_LE(b.sim.clock.nowMs() - cancelAt, qv::MatrixLink::kReadSilenceMs + 100);
}

TEST(MatrixTransferFlow, ConnectOpensAClosedPortAndSaysWhyItCannot)
{
    TransferBench b;
    b.channel.ClosePort();
    ASSERT_TRUE(b.transfer.ConnectInstrument(true)) << "opened again";

    b.channel.ClosePort();
    b.sim.port.setRefuseOpen(true);
    EXPECT_FALSE(b.transfer.ConnectInstrument(true));
    EXPECT_FALSE(b.record.connected);
    EXPECT_EQ(b.sim.prompter.texts(),
              std::vector<std::string>{"SIM is not available, it could be in use by another application."})
        << "not \"No instrument found.\" as well";
}

TEST(MatrixTransferFlow, ZeroBlocksAndPartialLengths)
{
    TransferBench b;
    std::vector<uint8_t> none(1);
    EXPECT_FALSE(b.transfer.ReadMemory(0x11, 0x1C000, none.data(), 0));
    EXPECT_EQ(b.view.bar_.positions, std::vector<int64_t>{0});
    auto data = b.pattern(200, 0);
    EXPECT_FALSE(b.transfer.WriteMemory(0x1000, data.data(), data.size() - 1));
    EXPECT_EQ(b.sim.instrument.blockWrites(), 0);
}

TEST(MatrixTransferFlow, ConnectTellsOnceWhenNobodyAnswers)
{
    qv::sim::InstrumentOptions silent;
    silent.noAnswer = true;
    TransferBench b(silent);
    EXPECT_FALSE(b.transfer.ConnectInstrument(true));
    EXPECT_EQ(b.sim.prompter.count("No instrument found."), 1);
    EXPECT_EQ(b.view.timesShown(), 0);

    TransferBench quiet(silent);
    quiet.transfer.quiet = true;
    EXPECT_FALSE(quiet.transfer.ConnectInstrument(true));
    EXPECT_TRUE(quiet.sim.prompter.shown().empty());
    EXPECT_TRUE(quiet.transfer.quiet) << "kept for the caller";
}

TEST(MatrixTransferFlow, RestartsIntoDownloadMode)
{
    TransferBench b;
    ASSERT_TRUE(b.transfer.ConnectInstrument(true));
    EXPECT_FALSE(b.transfer.RestartInDownloadMode(false)) << "needs the instrument's text information";
    EXPECT_TRUE(b.sim.instrument.textLines().empty());
    b.record.remoteCapable = true;
    EXPECT_TRUE(b.transfer.RestartInDownloadMode(false));
    EXPECT_TRUE(b.sim.instrument.inDownloadMode());
    EXPECT_FALSE(b.channel.collectOnly);
    EXPECT_EQ(b.view.busy, 0);
}

TEST(UpdateTransferFlow, RestartsIntoDownloadModeWithAndWithoutWaiting)
{
    for (bool noWait : {false, true}) {
        SimBench sim;
        qv::UpdateChannel channel(sim.port, sim.host());
        qv::UpdateIdentity identity;
        identity.textInfoReceived = true;
        EXPECT_TRUE(qv::RestartInDownloadMode(channel, identity, noWait)) << noWait;
        sim.clock.sleepMs(100);
        sim.port.inputCount();
        EXPECT_TRUE(sim.instrument.inDownloadMode()) << noWait;
        EXPECT_EQ(channel.rxMode, qv::RxMode::Binary);
    }
    SimBench bios;
    qv::UpdateChannel channel(bios.port, bios.host());
    qv::UpdateIdentity identity;
    identity.textInfoReceived = true;
    identity.biosMode = true;
    EXPECT_FALSE(qv::RestartInDownloadMode(channel, identity, false));
    EXPECT_TRUE(bios.instrument.textLines().empty());
}
