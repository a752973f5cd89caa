#pragma once

#include "instrument.h"
#include "io_module.h"
#include "platform/host/clock.h"

#include <string>

namespace qv::sim {

// The instrument's front panel, used at the clock's present time: what a
// person at the instrument does while a host watches the line, and what a
// service technician reads off the I/O module and the FPGAs.
class FrontPanel {
public:
    // ioModule: null when the instrument has none.
    FrontPanel(Instrument& instrument, const Clock& clock, const IoModule* ioModule = nullptr)
        : instrument_(instrument), clock_(clock), ioModule_(ioModule)
    {
    }

    bool route(int output, int input) { return instrument_.routeAtFrontPanel(output, input, clock_.nowUs()); }
    bool selectPreset(int preset) { return instrument_.selectPresetAtFrontPanel(preset, clock_.nowUs()); }
    void powerCycle() { instrument_.powerCycle(clock_.nowUs()); }
    // What the display tells: "running", "booting", "BIOS mode" or
    // "download mode".
    std::string state() const;

    // The I/O module's RUN code: "RUN 3.14 (ID 3), system mode 0: " and its
    // version text.
    std::string ioState() const;
    // An FPGA's configuration: "configured N bytes, started", "configured N
    // bytes" or "not configured"; slot 0 is the mainboard's.
    std::string fpgaState(int slot) const;
    // The scale table in scale slot 1 to 10 ("Key 1" to "1630 II"): its
    // address and name, then its 128 words, 16 a line.
    std::string scale(int slot) const;

    // Writes the picture the display shows as a PPM image; "ok" (", frozen"
    // when the display is frozen) or why not.
    std::string saveLcd(const std::string& path);

    // One command as qv-instrument-sim reads it on its standard input
    // ("route O I", "preset N", "power", "state", "lcd FILE", "io", "fpga",
    // "slot N", "scale N"); the answer to print.
    std::string command(const std::string& line);

private:
    Instrument& instrument_;
    const Clock& clock_;
    const IoModule* ioModule_;
};

// The commands, for --help.
std::string frontPanelUsage();

} // namespace qv::sim
