#pragma once

#include "preset_memory.h"
#include "routing.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv::sim {

// The screen pointer the mouse pad drives: where it is on the 640 x 480
// LCD, the buttons held and the wheel steps taken (up counts positive).
struct PointerState {
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;
    int x = 0;
    int y = 0;
    bool left = false;
    bool middle = false;
    bool right = false;
    int wheelSteps = 0;
    int moves = 0;   // move commands taken
    int clicks = 0;  // button presses of any button
    int ignored = 0; // pointer commands whose position lies off the screen
};

// What the running software works with: the selected preset with its
// routing, options and stored gains and the preset names, taken from
// configuration memory at boot, on a preset change and when told to take
// over changed memory (".SP15,22"), plus the gains and parameters set over
// the DOT protocol.
struct LiveState {
    int preset = 1;
    std::array<int, kOutputs> sources{}; // input number per output, 0 none
    std::array<int, kOutputs> gains{};   // tenths of a dB
    int parameter1 = 1;
    std::string lastPointer;             // the last pointer command, e.g. "m100,200"
    std::vector<uint8_t> options;        // the selected preset's options block
    std::array<std::string, kPresets> presetNames;
    int takeOvers = 0;                   // ".SP15,22" received
    PointerState pointer;

    int source(int output) const { return output >= 1 && output <= kOutputs ? sources[size_t(output - 1)] : 0; }
    int gain(int output) const { return output >= 1 && output <= kOutputs ? gains[size_t(output - 1)] : 0; }

    // The selected preset's settings and the preset names from
    // configuration memory.
    void takeOver(const std::vector<uint8_t>& memory)
    {
        for (int o = 1; o <= kOutputs; ++o) {
            sources[size_t(o - 1)] = storedSource(memory, preset, o);
            if (hasStoredGain(o))
                gains[size_t(o - 1)] = storedGain(memory, preset, o);
        }
        const auto block = memory.begin() + presetOptionsBlock(preset);
        options.assign(block, block + kOptionsBlockSize);
        for (int p = 1; p <= kPresets; ++p)
            presetNames[size_t(p - 1)] = storedPresetName(memory, p);
    }
    // A gain set over DOT; outputs 33-48 keep theirs in the preset.
    void setGain(std::vector<uint8_t>& memory, int output, int tenths)
    {
        gains[size_t(output - 1)] = tenths;
        if (hasStoredGain(output))
            storeGain(memory, preset, output, tenths);
    }
    // A crosspoint set at the front panel or over DOT; the preset keeps it.
    void route(std::vector<uint8_t>& memory, int output, int input)
    {
        sources[size_t(output - 1)] = input;
        storeSource(memory, preset, output, input);
    }
    void selectPreset(const std::vector<uint8_t>& memory, int p)
    {
        preset = p;
        takeOver(memory);
    }
};

} // namespace qv::sim
