// A DSP file of 128 sectors (16 KiB at .380) through QV-Update's wizard, as
// Next runs it: download mode, the sector writes, the restart. Against the
// simulated instrument on virtual time at 9600 baud, with and without the
// I/O-interface in front; the boot into download mode is part of the time.
#include "bench_support.h"
#include "updater/headless_wizard_view.h"
#include "updater/update_connection.h"
#include "updater/update_wizard.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

struct WizardBench {
    explicit WizardBench(qv::sim::InstrumentOptions options) : sim(options)
    {
        sim.port.close();
        view.onStartPage = [this] { wizard.ShowPage("START"); };
        io.spiDisabled = true; // the block path, not the module's fast flash
        connection.FormShow();
        connection.btnOpenClick();
        wizard.quiet = true;
    }

    static qv::UpdateConnectionSettings Settings()
    {
        qv::UpdateConnectionSettings settings;
        settings.simulator = true;
        return settings;
    }

    bench::SimBench sim;
    qv::UpdateChannel channel{sim.port, qv::HostServices{sim.clock, sim.pump, sim.prompter}};
    qv::UpdateIdentity identity;
    qv::IoInterface io{channel, identity};
    qv::HeadlessWizardView view;
    qv::UpdateConnection connection{io, identity, view, Settings()};
    qv::UpdateWizard wizard{io, identity, connection, view};
};

} // namespace

int main()
{
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "qv-update-bench.380";
    std::vector<uint8_t> bytes(128 * 128);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 31 + 7);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));

    std::printf("DSP file of 128 sectors through the wizard at %d baud, simulated instrument, virtual time\n",
                bench::kBaud);
    qv::sim::InstrumentOptions plain;
    qv::sim::InstrumentOptions withIo;
    withIo.ioModule.present = true;
    for (auto [label, options] :
         {std::pair{"DSP file, serial port", plain}, std::pair{"DSP file, I/O-interface", withIo}}) {
        WizardBench b(options);
        b.view.setInputText(file.string());
        bench::Measure(label, b.sim, [&] {
            const bool done = b.wizard.ExecuteCommand();
            const auto memory = b.sim.instrument.peek(0x1C000, bytes.size());
            return done && memory == bytes;
        });
    }
    std::filesystem::remove(file);
    return 0;
}
