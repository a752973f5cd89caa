#pragma once

#include "instrument.h"
#include "platform/host/clock.h"

#include <string>

namespace qv::sim {

// The instrument's front panel, used at the clock's present time: what a
// person at the instrument does while a host watches the line.
class FrontPanel {
public:
    FrontPanel(Instrument& instrument, const Clock& clock) : instrument_(instrument), clock_(clock) {}

    bool route(int output, int input) { return instrument_.routeAtFrontPanel(output, input, clock_.nowUs()); }
    bool selectPreset(int preset) { return instrument_.selectPresetAtFrontPanel(preset, clock_.nowUs()); }
    void powerCycle() { instrument_.powerCycle(clock_.nowUs()); }
    // What the display tells: "running", "booting", "BIOS mode" or
    // "download mode".
    std::string state() const;

    // One command as qv-instrument-sim reads it on its standard input
    // ("route O I", "preset N", "power", "state"); the answer to print.
    std::string command(const std::string& line);

private:
    Instrument& instrument_;
    const Clock& clock_;
};

// The commands, for --help.
std::string frontPanelUsage();

} // namespace qv::sim
