// Both programs' transfer engines on a line that corrupts bytes on their way
// to the instrument. A hit address byte sends a block read or write to the
// wrong place, and two hits can cancel out in the block checksum: neither
// side sees it. Unverified, some transfers report success with wrong data;
// verified, none do.
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/wire_protocol.h"
#include "sim_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kStart = 0x1C000;
constexpr int kBlocks = 32;
constexpr size_t kSize = size_t(kBlocks) * 128;
constexpr uint32_t kSeeds = 8;

// Varied blocks between blank ones, which a block from the wrong place most
// often resembles.
std::vector<uint8_t> Image(std::mt19937& random)
{
    std::vector<uint8_t> image(kSize);
    for (size_t at = 0; at < kSize; at += 128) {
        const unsigned kind = random() % 3;
        for (size_t i = at; i < at + 128; ++i)
            image[i] = kind == 0 ? 0x00 : kind == 1 ? uint8_t(i * 5 + at / 128) : uint8_t(random());
    }
    return image;
}

enum class Direction { Upload, Download };

// One transfer through one program's engine, the noise starting once the
// engine is ready; true when it reported success.
using Transfer = bool (*)(SimBench& sim, Direction direction, uint8_t* data, qv::Verify verify,
                          const qv::sim::LineNoise& noise);

bool MatrixTransfer(SimBench& sim, Direction direction, uint8_t* data, qv::Verify verify,
                    const qv::sim::LineNoise& noise)
{
    qv::MatrixChannel channel(sim.port, sim.host());
    channel.init().selectPort("SIM");
    channel.OpenPort();
    qv::InstrumentRecord record;
    qv::MatrixLink link(channel, record);
    qv::HeadlessTransferView view;
    qv::MatrixTransfer transfer(link, view);
    // As the program does before a transfer; it leaves the instrument listening.
    if (!transfer.ConnectInstrument(true))
        return false;
    sim.wire.setLineNoise(noise, {});
    // Unlimited retries: a run still going after ten minutes is cancelled.
    const int64_t startMs = sim.clock.nowMs();
    sim.pump.add([&] { transfer.cancel = transfer.cancel || sim.clock.nowMs() - startMs > 600'000; });
    const bool ok = direction == Direction::Upload
                        ? transfer.ReadMemory(qv::wire::kCmdReadBlock, kStart, data, kBlocks, verify)
                        : transfer.WriteMemory(kStart, data, kSize - 1, verify);
    return ok && !transfer.cancel;
}

bool UpdateTransfer(SimBench& sim, Direction direction, uint8_t* data, qv::Verify verify,
                    const qv::sim::LineNoise& noise)
{
    sim.wire.setLineNoise(noise, {});
    qv::UpdateChannel channel(sim.port, sim.host());
    qv::UpdateLink link(channel);
    qv::UpdateTransfer transfer(link);
    return direction == Direction::Upload ? transfer.ReadBlocks(kStart, kBlocks, data, {}, verify)
                                          : transfer.WriteBlocks(kStart, kBlocks, data, {}, verify);
}

struct Outcomes {
    int completed = 0;
    int silentlyWrong = 0;
};

Outcomes Soak(Transfer transfer, Direction direction, qv::Verify verify, double corrupt)
{
    Outcomes outcomes;
    for (uint32_t seed = 1; seed <= kSeeds; ++seed) {
        SimBench sim;
        if (direction == Direction::Download) {
            // Configuration goes in the way both programs send it: in download mode.
            sim.port.write("\r.SP15,21\r");
            sim.clock.sleepMs(sim.instrument.options().bootMs + 500);
            sim.port.clearInput();
        }
        std::mt19937 random(seed);
        const std::vector<uint8_t> old = Image(random);
        std::vector<uint8_t> data = Image(random);
        sim.instrument.poke(kStart, old);
        const bool ok = transfer(sim, direction, data.data(), verify, qv::sim::LineNoise{corrupt, 0, 0, seed});
        const auto& wanted = direction == Direction::Upload ? old : data;
        const auto got = direction == Direction::Upload ? data : sim.instrument.peek(kStart, kSize);
        outcomes.completed += ok && got == wanted;
        outcomes.silentlyWrong += ok && got != wanted;
    }
    return outcomes;
}

struct Case {
    const char* name;
    Transfer transfer;
    Direction direction;
};
const Case kCases[] = {
    {"matrix upload", MatrixTransfer, Direction::Upload},
    {"matrix download", MatrixTransfer, Direction::Download},
    {"update upload", UpdateTransfer, Direction::Upload},
    {"update download", UpdateTransfer, Direction::Download},
};

} // namespace

TEST(NoisyLineFlow, UnverifiedTransfersCanReportWrongDataAsDone)
{
    int silentlyWrong = 0;
    for (const Case& c : kCases)
        silentlyWrong += Soak(c.transfer, c.direction, qv::Verify::No, 0.02).silentlyWrong;
    EXPECT_GT(silentlyWrong, 0) << "the line is noisy enough to show the fault";
}

// Less noise: QV-Update gives up after its fixed attempts, and every run
// must not fail.
TEST(NoisyLineFlow, VerifiedTransfersAreRightOrFail)
{
    for (const Case& c : kCases) {
        const Outcomes o = Soak(c.transfer, c.direction, qv::Verify::Yes, 0.005);
        EXPECT_EQ(o.silentlyWrong, 0) << c.name;
        EXPECT_GT(o.completed, 0) << c.name;
    }
}
