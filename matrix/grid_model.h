#pragma once

#include "grid_settings.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qv {

class ConfigImage;

// Sends one DOT command line to the instrument. The receiver clears the
// receive buffer of the port before it writes.
using CommandSender = std::function<void(const std::string&)>;

// The routing grid of the selected preset: 89 input rows by 97 output
// columns of icon numbers (input-major, cell (i, o) with 0-based indices),
// the label lists and the per-output hints. Inputs 0..87 and outputs 0..95
// are shown; the extra row and column exist only to keep the layout.
class GridModel {
public:
    static constexpr int kRows = 89;    // inputs
    static constexpr int kColumns = 97; // outputs
    static constexpr int kShownInputs = 88;
    static constexpr int kShownOutputs = 96;

    enum class Click { Ignored, Set, Sent, FlashIllegal, FlashLocked };

    explicit GridModel(const GridSettings& settings = {});

    const GridSettings& settings() const { return settings_; }
    void setSettings(const GridSettings& settings) { settings_ = settings; }
    // Takes new settings whose role icons may differ: a cell showing a
    // role's old icon shows the role's new one. A cell takes the first role
    // (off-line, illegal, greyed, local, remote, locked) whose old icon it
    // carries and changes once; empty cells stay empty.
    void renumberIcons(const GridSettings& settings);

    // Icon number of a cell; 0 (empty) outside the table.
    int cell(int i, int o) const;
    void setCell(int i, int o, int icon);
    bool isIllegal(int i, int o) const { return cell(i, o) == settings_.illegalXpointGreyed; }
    bool isEmpty(int i, int o) const { return cell(i, o) == 0; }
    // The input index whose cell is neither empty nor illegal, or -1.
    int sourceOf(int o) const;
    bool rowHasLock(int o) const;

    // Label and hint lists by 0-based index (97 entries each).
    const std::string& inputLabel(int i) const;
    const std::string& outputLabel(int o) const;
    // The tooltip of an output's row, naming its last routed input with the
    // input's current label; empty when none was found.
    std::string hint(int o) const;

    // " In - n" and "Out - n" for every slot, and an empty grid.
    void setDefaultLabels();
    void clearGrid();

    // Labels of the image's selected preset.
    void rebuildLabels(const ConfigImage& image);
    // Routing of the selected preset, hints, then the illegal pattern.
    void rebuildGrid(const ConfigImage& image);
    // Marks the illegal crosspoints for an image of this version; a cell
    // that is no longer illegal (after an upgrade) becomes empty.
    void markIllegal(uint16_t imageVersion);

    // A crosspoint chosen by the user. Offline the image is changed at once;
    // with remote control the ".SA" command goes out and the grid waits for
    // the instrument's report.
    Click setCrosspoint(int i, int o, ConfigImage& image, bool remote, const CommandSender& send);

    // A crosspoint report from the instrument (numbers, not indices):
    // remote marks one that remote control set. False when out of range.
    bool applyReport(int outputNumber, int inputNumber, bool remote);

    // Toggles the source of each output (numbers) between locked and remote;
    // returns the outputs that changed.
    std::vector<int> toggleLocks(const std::vector<int>& outputNumbers);

    static std::string HintText(int inputNumber, const std::string& label);

private:
    void clearSources(int o);
    void setHint(int o, int i);
    static bool inTable(int i, int o) { return i >= 0 && i < kRows && o >= 0 && o < kColumns; }

    GridSettings settings_;
    std::array<uint8_t, size_t(kRows) * kColumns> cells_{};
    std::array<std::string, kColumns> inputLabels_;
    std::array<std::string, kColumns> outputLabels_;
    std::array<int, kColumns> hintInputs_{}; // input index, -1 none
};

} // namespace qv
