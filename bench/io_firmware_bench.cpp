// The FPGA loader's first stage (the embedded "FPGA_PRG", about 63 KB of
// Intel HEX) downloaded into the simulated I/O module's boot loader on
// virtual time at 9600 baud: the whole download with the pauses it must
// keep (1 s after the erase, 5 s for a complaint after the last line), and
// the lines alone, each against the wire-time bound of its bytes.
#include "bench_support.h"
#include "link/host_services.h"
#include "updater/firmware_programmer.h"
#include "updater/headless_wizard_view.h"
#include "updater/resource_lines.h"

#include <cstdio>

namespace {

// Notes the time and the bytes on the line when the last line was counted.
class StreamEnd : public qv::BasicProgress {
public:
    explicit StreamEnd(bench::SimBench& sim) : sim_(sim) {}
    void setPosition(int64_t position) override
    {
        BasicProgress::setPosition(position);
        if (position == maximum() && maximum() > qv::FirmwareProgrammer::kEraseBarMaximum) {
            sim_.wire.hostAvailable();
            atUs = sim_.clock.nowUs();
            bytes = sim_.wire.bytesToInstrument();
        }
    }
    int64_t atUs = 0;
    uint64_t bytes = 0;

private:
    bench::SimBench& sim_;
};

qv::sim::InstrumentOptions BootLoader()
{
    qv::sim::InstrumentOptions o;
    o.ioModule.present = true;
    o.ioModule.systemMode = 1; // no restart into the boot loader first
    return o;
}

} // namespace

int main()
{
    const auto lines = qv::LoadResourceLines("FPGA_PRG");
    size_t size = 0;
    for (const auto& line : lines)
        size += line.size();
    std::printf("FPGA_PRG: %zu lines, %zu bytes of HEX, at %d baud, simulated I/O module, virtual time\n",
                lines.size(), size, bench::kBaud);

    bench::SimBench sim(BootLoader());
    qv::UpdateChannel channel{sim.port, qv::HostServices{sim.clock, sim.pump, sim.prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
    if (io.DetectIoInterface(true) != qv::IOSTAT_OK)
        return 1;
    qv::FirmwareProgrammer firmware{io};

    qv::ListenedPanel status;
    StreamEnd bar(sim);
    int64_t streamStartUs = 0;
    uint64_t streamStartBytes = 0;
    status.onText = [&](const std::string& text) {
        if (text == "Downloading I/O Firmware...") {
            sim.wire.hostAvailable();
            streamStartUs = sim.clock.nowUs();
            streamStartBytes = sim.wire.bytesToInstrument();
        }
    };
    bench::Measure("DownloadIoHex, whole", sim, [&] {
        const bool ok = firmware.DownloadIoHex(lines, {&status, {&bar, nullptr}}) == qv::IOFW_LOAD_OK;
        qv::sim::IoFirmwareHeader header;
        return ok && sim.wire.ioModule()->bootLoader().runCode(header) == qv::sim::IoFirmwareCheck::Valid;
    });
    const uint64_t streamBytes = bar.bytes - streamStartBytes;

    // The lines only: from the first to the last on the line.
    const double elapsedMs = double(bar.atUs - streamStartUs) / 1000.0;
    const double boundMs = double(streamBytes) * 10.0 * 1000.0 / bench::kBaud;
    std::printf("%-34s %s  elapsed %9.1f ms  wire bytes %6llu  bound %9.1f ms  ratio %.3f\n", "HEX lines on the wire",
                streamBytes >= size ? "ok  " : "FAIL", elapsedMs, static_cast<unsigned long long>(streamBytes),
                boundMs, boundMs > 0 ? elapsedMs / boundMs : 0.0);
    return 0;
}
