// Both transfer engines keep to the instrument's 22-bit address space: a
// range beyond it would wrap round to address 0.
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/update_transfer.h"
#include "sim_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Range {
    uint32_t start;
    int blocks;
    const char* refusal; // nullptr: within the space
};

const Range kRanges[] = {
    {0x3FFF80, 1, nullptr},
    {0x3FFE00, 4, nullptr},
    {0x3FFF81, 1, "The range $3FFF81 to $400000 lies beyond the instrument's address space ($0 to $3FFFFF)."},
    {0x3FFF00, 3, "The range $3FFF00 to $40007F lies beyond the instrument's address space ($0 to $3FFFFF)."},
    {0x400000, 1, "The range $400000 to $40007F lies beyond the instrument's address space ($0 to $3FFFFF)."},
    {0xFFFFFF80, 1,
     "The range $FFFFFF80 to $FFFFFFFF lies beyond the instrument's address space ($0 to $3FFFFF)."},
};

std::vector<uint8_t> Pattern(int blocks)
{
    std::vector<uint8_t> data(size_t(blocks) * 128);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 11 + 1);
    return data;
}


// The refusal, once per transfer asked for; nothing within the space.
std::vector<std::string> Shown(const Range& r, size_t transfers)
{
    return r.refusal ? std::vector<std::string>(transfers, r.refusal) : std::vector<std::string>{};
}

// What crossed the line towards the instrument since the transfer began.
struct LineWatch {
    explicit LineWatch(SimBench& sim) : sim(sim), before(sim.wire.bytesToInstrument()) {}
    bool quiet() const { return sim.wire.bytesToInstrument() == before; }
    SimBench& sim;
    uint64_t before;
};

} // namespace

TEST(AddressSpace, MatrixTransfersRefuseRangesBeyondIt)
{
    for (const Range& r : kRanges) {
        SCOPED_TRACE(r.start);
        MatrixSimBench b;
        qv::HeadlessTransferView view;
        qv::MatrixTransfer transfer(b.link, view);
        ASSERT_TRUE(transfer.ConnectInstrument(true));
        const auto data = Pattern(r.blocks);

        LineWatch line(b.sim);
        EXPECT_EQ(transfer.WriteMemory(r.start, data.data(), data.size() - 1), !r.refusal);
        std::vector<uint8_t> read(data.size());
        EXPECT_EQ(transfer.ReadMemory(0x11, r.start, read.data(), r.blocks), !r.refusal);
        EXPECT_EQ(b.sim.prompter.texts(), Shown(r, 2));
        if (r.refusal)
            EXPECT_TRUE(line.quiet()) << "nothing sent";
        else
            EXPECT_EQ(read, data);
    }

    // A word: its two bytes must lie within the space.
    MatrixSimBench b;
    qv::HeadlessTransferView view;
    qv::MatrixTransfer transfer(b.link, view);
    ASSERT_TRUE(transfer.ConnectInstrument(true));
    auto flag = b.link.ReadProtectFlag();
    if (flag.ok && flag.reply == 0)
        b.link.ToggleProtectFlag();
    EXPECT_TRUE(transfer.ModifyMemoryWord(0x3FFFFE, "$1234"));
    EXPECT_EQ(b.sim.instrument.peek(0x3FFFFE, 2), (std::vector<uint8_t>{0x12, 0x34}));
    EXPECT_FALSE(transfer.ModifyMemoryWord(0x3FFFFF, "$1234"));
    EXPECT_EQ(b.sim.prompter.texts(),
              std::vector<std::string>{
                  "The range $3FFFFF to $400000 lies beyond the instrument's address space ($0 to $3FFFFF)."});
}

TEST(AddressSpace, UpdateTransfersRefuseRangesBeyondIt)
{
    for (const Range& r : kRanges) {
        SCOPED_TRACE(r.start);
        SimBench sim;
        qv::UpdateChannel channel(sim.port, sim.host());
        qv::UpdateLink link(channel);
        qv::UpdateTransfer transfer(link);
        ASSERT_TRUE(link.ToggleProtectFlag());
        const auto data = Pattern(r.blocks);

        LineWatch line(sim);
        EXPECT_EQ(transfer.WriteBlocks(r.start, r.blocks, data.data()), !r.refusal);
        std::vector<uint8_t> read(data.size());
        EXPECT_EQ(transfer.ReadBlocks(r.start, r.blocks, read.data()), !r.refusal);
        EXPECT_EQ(sim.prompter.texts(), Shown(r, 2));
        if (r.refusal)
            EXPECT_TRUE(line.quiet()) << "nothing sent";
        else
            EXPECT_EQ(read, data);
    }
}
