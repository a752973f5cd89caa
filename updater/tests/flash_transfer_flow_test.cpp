// ReadFlashFast and WriteFlashFast against the simulated I/O module on
// virtual time: the blocks, their checksums, the refusals and a module that
// stops answering.
#include "io_fixture.h"
#include "wizard_fixture.h"

#include "platform/host/recording_progress.h"
#include "updater/flash_transfer.h"

#include <gtest/gtest.h>

namespace {

namespace flash = qv::flash;

constexpr uint32_t kStart = 0x1C000;

// Connected to the module, which stays transparent until a transfer.
struct FlashBench : IoBench {
    explicit FlashBench(qv::sim::IoModuleOptions io = {}) : IoBench(std::move(io))
    {
        sim.instrument.poke(kStart, Pattern(64 * 128));
        detected = this->io.DetectIoInterface(false);
    }
    int read(size_t count)
    {
        stream.clear();
        return qv::FlashTransfer(io).ReadFlashFast(kStart, count, stream, &status, &bar);
    }
    int write(const std::vector<uint8_t>& image)
    {
        return qv::FlashTransfer(io).WriteFlashFast(image, kStart, &status, &bar, &percent);
    }
    // Runs action once the module has moved `blocks` blocks of a transfer.
    void onBlock(int blocks, std::function<void()> action)
    {
        sim.pump.add([this, blocks, action, done = false]() mutable {
            const auto* transfer = module().flashTransfer();
            if (!done && transfer && transfer->blocks() >= blocks) {
                done = true;
                actionAtMs = sim.clock.nowMs();
                action();
            }
        });
    }

    int detected = 0;
    std::vector<uint8_t> stream;
    qv::TextPanel status;
    qv::TextPanel percent;
    qv::RecordingProgress bar;
    int64_t actionAtMs = -1;
};

qv::sim::IoModuleOptions Module(void (*change)(qv::sim::IoModuleOptions&))
{
    qv::sim::IoModuleOptions io;
    change(io);
    return io;
}

TEST(FastFlashRead, BlocksIntoTheStream)
{
    FlashBench b;
    ASSERT_EQ(b.detected, qv::IOSTAT_OK);
    EXPECT_EQ(b.read(16), flash::kDone);
    EXPECT_EQ(b.stream, b.sim.instrument.peek(kStart, 16 * 128));
    EXPECT_EQ(b.bar.maximum(), 17);
    EXPECT_EQ(b.bar.position(), 16);
    EXPECT_EQ(b.status.text(), "FLASH Reading in progress...");
    EXPECT_EQ(b.channel.rxMode, qv::RxMode::AtLines);
    EXPECT_TRUE(b.module().commandMode()) << "left in command mode until the restart";
    EXPECT_EQ(b.module().count("@ATRDFlash"), 1);
}

TEST(FastFlashRead, EndsOfARead)
{
    struct Case {
        const char* name;
        qv::sim::IoModuleOptions io;
        int result;
        size_t blocksRead;
    } cases[] = {
        {"damaged once, asked for again", Module([](auto& io) { io.flashDamagedBlock = 3; }), flash::kDone, 16},
        {"damaged for good", Module([](auto& io) {
             io.flashDamagedBlock = 3;
             io.flashDamagedTimes = 1000;
         }),
         flash::kChecksumError, 2},
        {"stops in block 5", Module([](auto& io) { io.flashStopAtBlock = 5; }), flash::kNoReply, 4},
        {"no end byte", Module([](auto& io) { io.flashNoEnd = true; }), flash::kNoEnd, 16},
        {"start unanswered", Module([](auto& io) { io.flashTransferAnswers = false; }), flash::kNotSupported, 0},
    };
    for (const auto& c : cases) {
        FlashBench b(c.io);
        ASSERT_EQ(b.detected, qv::IOSTAT_OK) << c.name;
        const int64_t start = b.sim.clock.nowMs();
        EXPECT_EQ(b.read(16), c.result) << c.name;
        EXPECT_EQ(b.stream, b.sim.instrument.peek(kStart, c.blocksRead * 128)) << c.name << ": good blocks only";
        EXPECT_LT(b.sim.clock.nowMs() - start, 20'000) << c.name;
        // Whatever happened, the module takes commands again.
        EXPECT_EQ(b.io.SetIoMode(true), qv::ATCMD_OK) << c.name;
    }
}

TEST(FastFlashRead, RefusedByTheModulesState)
{
    struct Case {
        const char* name;
        qv::sim::IoModuleOptions io;
        int result;
    } cases[] = {
        {"RUN code without flash transfers", Module([](auto& io) { io.runId = 2; }), flash::kNotSupported},
        {"boot loader running", Module([](auto& io) { io.systemMode = 1; }), flash::kNotRunMode},
    };
    for (const auto& c : cases) {
        FlashBench b(c.io);
        ASSERT_EQ(b.detected, qv::IOSTAT_OK) << c.name;
        EXPECT_EQ(b.read(4), c.result) << c.name;
        EXPECT_EQ(b.write(Pattern(300)), c.result) << c.name;
        EXPECT_EQ(b.module().count("@ATRDFlash") + b.module().count("@ATWRFlash"), 0) << c.name << ": not asked";
    }
}

TEST(FastFlashRead, CancelAndAPortThatGoesEndAtOnce)
{
    for (bool unplug : {false, true}) {
        FlashBench b;
        b.onBlock(3, [&] {
            if (unplug)
                b.sim.port.setUnplugged(true);
            else
                b.channel.Abort();
        });
        EXPECT_EQ(b.read(32), flash::kNoReply) << unplug;
        ASSERT_GE(b.actionAtMs, 0);
        // Only the pause after a read, never the silence limit.
        EXPECT_LE(b.sim.clock.nowMs() - b.actionAtMs, qv::FlashTransfer::kSettleMs + 20) << unplug;
    }
}

TEST(FastFlashWrite, ElevenSectorsInTwoBlocks)
{
    FlashBench b;
    const std::vector<uint8_t> before = b.sim.instrument.peek(kStart, 2048);
    const std::vector<uint8_t> image = Pattern(1300);
    std::vector<uint8_t> reversed(image.rbegin(), image.rend());
    EXPECT_EQ(b.write(reversed), flash::kDone);
    const std::vector<uint8_t> after = b.sim.instrument.peek(kStart, 2048);
    EXPECT_TRUE(std::equal(reversed.begin(), reversed.end(), after.begin()));
    // The last sector is filled up with erased bytes; the twelfth is not touched.
    EXPECT_EQ(std::count(after.begin() + 1300, after.begin() + 11 * 128, 0xFF), 11 * 128 - 1300);
    EXPECT_TRUE(std::equal(after.begin() + 11 * 128, after.end(), before.begin() + 11 * 128));
    EXPECT_EQ(b.bar.positions, (std::vector<int64_t>{0, 1, 2, 3})) << "two blocks and the end";
    EXPECT_EQ(b.bar.maximum(), 3);
    EXPECT_EQ(b.percent.texts, (std::vector<std::string>{"33 %", "67 %", "100 %"}));
    EXPECT_EQ(b.status.text(), "FLASH Programming in progress...");
}

TEST(FastFlashWrite, EndsOfAWrite)
{
    struct Case {
        const char* name;
        qv::sim::IoModuleOptions io;
        int result;
        bool written;
    } cases[] = {
        {"damaged once, sent again", Module([](auto& io) { io.flashDamagedBlock = 2; }), flash::kDone, true},
        {"damaged for good", Module([](auto& io) {
             io.flashDamagedBlock = 2;
             io.flashDamagedTimes = 1000;
         }),
         flash::kChecksumError, false},
        {"stops in block 2", Module([](auto& io) { io.flashStopAtBlock = 2; }), flash::kNoReply, false},
        {"no end byte", Module([](auto& io) { io.flashNoEnd = true; }), flash::kNoReply, true},
        {"start unanswered", Module([](auto& io) { io.flashTransferAnswers = false; }), flash::kNotSupported, false},
    };
    const std::vector<uint8_t> image(3000, 0xA5);
    for (const auto& c : cases) {
        FlashBench b(c.io);
        const int64_t start = b.sim.clock.nowMs();
        EXPECT_EQ(b.write(image), c.result) << c.name;
        EXPECT_EQ(b.sim.instrument.peek(kStart, image.size()) == image, c.written) << c.name;
        EXPECT_LT(b.sim.clock.nowMs() - start, 20'000) << c.name;
        EXPECT_EQ(b.percent.text() == "100 %", c.result == flash::kDone) << c.name << ": 100 % only when done";
        EXPECT_EQ(b.io.SetIoMode(true), qv::ATCMD_OK) << c.name;
    }
}

} // namespace
