// Reads the 16 KiB configuration area (128 blocks from 0x1C000) through each
// program's link variant from the simulated instrument on virtual time at
// 9600 baud, block by block with the bare protocol operations.
#include "bench_support.h"
#include "link/matrix_link.h"
#include "link/update_link.h"
#include "link/update_transfer.h"
#include "link/wire_protocol.h"

#include <vector>

namespace {

constexpr uint32_t kStart = 0x1C000;
constexpr int kBlocks = 128;

void MatrixVariant()
{
    bench::SimBench b;
    qv::MatrixChannel channel(b.port, {b.clock, b.pump, b.prompter});
    channel.init().selectPort("SIM");
    channel.OpenPort();
    qv::InstrumentRecord record;
    qv::MatrixLink link(channel, record);
    std::vector<uint8_t> data(size_t(kBlocks) * 128);
    bench::Measure("matrix: read 128 blocks", b, [&] {
        for (int k = 0; k < kBlocks; ++k) {
            const uint32_t at = kStart + uint32_t(k) * 128;
            if (!link.WriteBDMAaddr(at) || !link.ReadBDMA(qv::wire::kCmdReadBlock, 128, data.data() + size_t(k) * 128))
                return false;
        }
        return data == b.instrument.peek(kStart, data.size());
    });
}

void UpdateVariant()
{
    bench::SimBench b;
    qv::UpdateChannel channel(b.port, {b.clock, b.pump, b.prompter});
    qv::UpdateLink link(channel);
    qv::UpdateTransfer transfer(link);
    std::vector<uint8_t> data(size_t(kBlocks) * 128);
    bench::Measure("update: read 128 blocks", b, [&] {
        return transfer.ReadBlocks(kStart, kBlocks, data.data()) && data == b.instrument.peek(kStart, data.size());
    });
}

} // namespace

int main()
{
    std::printf("128 blocks from 0x%05X at %d baud, simulated instrument, virtual time\n", kStart, bench::kBaud);
    MatrixVariant();
    UpdateVariant();
    return 0;
}
