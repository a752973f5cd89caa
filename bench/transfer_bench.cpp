// Configuration upload (128 blocks read from 0x1C000) and download (128
// blocks written) through each program's transfer engine, against the
// simulated instrument on virtual time at 9600 baud; then again with 1 % of
// the block reads corrupted.
#include "bench_support.h"
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/update_link.h"
#include "link/update_transfer.h"

#include <vector>

namespace {

constexpr uint32_t kStart = 0x1C000;
constexpr int kBlocks = 128;
constexpr size_t kSize = size_t(kBlocks) * 128;

std::vector<uint8_t> Edited(const std::vector<uint8_t>& image)
{
    std::vector<uint8_t> out = image;
    for (size_t i = 0; i < out.size(); i += 7)
        out[i] ^= 0x5A;
    return out;
}

void MatrixVariant(const char* label, qv::sim::InstrumentOptions options)
{
    bench::SimBench b(options);
    qv::MatrixChannel channel(b.port, {b.clock, b.pump, b.prompter});
    channel.init().selectPort("SIM");
    channel.OpenPort();
    qv::InstrumentRecord record;
    qv::MatrixLink link(channel, record);
    qv::HeadlessTransferView view;
    qv::MatrixTransfer transfer(link, view);
    transfer.quiet = true;
    transfer.ConnectInstrument(true);

    std::vector<uint8_t> image(kSize);
    bench::Measure((std::string("matrix upload") + label).c_str(), b, [&] {
        return transfer.ReadMemory(0x11, kStart, image.data(), kBlocks) && image == b.instrument.peek(kStart, kSize);
    });
    const auto edited = Edited(image);
    bench::Measure((std::string("matrix download") + label).c_str(), b, [&] {
        return transfer.WriteMemory(kStart, edited.data(), kSize - 1) && edited == b.instrument.peek(kStart, kSize);
    });
}

void UpdateVariant(const char* label, qv::sim::InstrumentOptions options)
{
    bench::SimBench b(options);
    qv::UpdateChannel channel(b.port, {b.clock, b.pump, b.prompter});
    qv::UpdateLink link(channel);
    qv::UpdateTransfer transfer(link);
    uint8_t flag = 0;
    if (link.ReadProtectFlag(flag) && flag == 0)
        link.ToggleProtectFlag();

    std::vector<uint8_t> image(kSize);
    bench::Measure((std::string("update upload") + label).c_str(), b, [&] {
        return transfer.ReadBlocks(kStart, kBlocks, image.data()) && image == b.instrument.peek(kStart, kSize);
    });
    const auto edited = Edited(image);
    bench::Measure((std::string("update download") + label).c_str(), b, [&] {
        return transfer.WriteBlocks(kStart, kBlocks, edited.data()) && edited == b.instrument.peek(kStart, kSize);
    });
}

} // namespace

int main()
{
    std::printf("16 KiB configuration at %d baud, simulated instrument, virtual time\n", bench::kBaud);
    qv::sim::InstrumentOptions clean;
    qv::sim::InstrumentOptions faulty;
    faulty.corruptChecksumEvery = 100;
    for (auto [label, options] : {std::pair{"", clean}, std::pair{", 1 % reads corrupt", faulty}}) {
        MatrixVariant(label, options);
        UpdateVariant(label, options);
    }
    return 0;
}
