// A DSP file of 128 sectors (16 KiB at .380) through QV-Update's wizard, as
// Next runs it: download mode, the sector writes, the restart. Against the
// simulated instrument on virtual time at 9600 baud, with and without the
// I/O-interface in front; the boot into download mode is part of the time.
#include "wizard_bench.h"

#include <filesystem>
#include <fstream>
#include <vector>

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
        // The block path, not the module's fast flash.
        bench::WizardBench b(options, true);
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
