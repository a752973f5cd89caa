// The mainboard flash, 2048 sectors (256 KiB): the I/O-interface module's
// fast read and write at the high link speed, and for comparison the read
// block by block through the instrument at 9600 baud. Against the simulated
// instrument on virtual time; each against the wire-time bound of its run.
#include "bench_support.h"
#include "updater/flash_transfer.h"
#include "link/update_link.h"
#include "link/update_transfer.h"

#include <vector>

namespace {

constexpr size_t kSectors = 2048;
constexpr int kHighBaud = qv::IoInterface::kHighBaud;

// QV-Update's side of the module, connected, the link at its high speed.
struct ModuleBench {
    ModuleBench() : sim(Options())
    {
        sim.port.open("SIM");
        connected = io.DetectIoInterface(false) == qv::IOSTAT_OK && io.SetLinkSpeed(true);
    }
    static qv::sim::InstrumentOptions Options()
    {
        qv::sim::InstrumentOptions options;
        options.ioModule.present = true;
        return options;
    }

    bench::SimBench sim;
    qv::UpdateChannel channel{sim.port, qv::HostServices{sim.clock, sim.pump, sim.prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
    bool connected = false;
};

std::vector<uint8_t> Image()
{
    std::vector<uint8_t> image(kSectors * 128);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = uint8_t(i * 31 + 7);
    return image;
}

} // namespace

int main()
{
    std::printf("Mainboard flash, %zu sectors, simulated instrument, virtual time\n", kSectors);

    ModuleBench read;
    read.sim.instrument.poke(0, Image());
    std::vector<uint8_t> stream;
    const bench::Measurement fastRead = bench::Run(read.sim, [&] {
        return read.connected &&
               qv::FlashTransfer(read.io).ReadFlashFast(0, kSectors, stream, nullptr, nullptr) == qv::flash::kDone &&
               stream == Image();
    });
    bench::Report("fast read, 115200 baud", fastRead, kHighBaud, qv::FlashTransfer::kSettleMs);
    bench::Report("  with its 2 s settle pause", fastRead, kHighBaud);

    ModuleBench write;
    bench::Report("fast write, 115200 baud",
                  bench::Run(write.sim,
                             [&] {
                                 return write.connected &&
                                        qv::FlashTransfer(write.io).WriteFlashFast(Image(), 0, nullptr, nullptr,
                                                                                   nullptr) == qv::flash::kDone &&
                                        write.sim.instrument.peek(0, kSectors * 128) == Image();
                             }),
                  kHighBaud);

    bench::SimBench blocks;
    blocks.instrument.poke(0, Image());
    qv::UpdateChannel channel{blocks.port, qv::HostServices{blocks.clock, blocks.pump, blocks.prompter}};
    qv::UpdateLink link(channel);
    bench::Measure("block read, 9600 baud", blocks, [&] {
        std::vector<uint8_t> data;
        return qv::UpdateTransfer(link).ReadToBuffer(0, int(kSectors), data) == qv::UpdateTransfer::kTransferComplete &&
               data == Image();
    });
    return 0;
}
