#include "grid_model.h"

#include "config/config_image.h"
#include "dot_commands.h"
#include "illegal_crosspoints.h"

#include <utility>

namespace qv {

GridModel::GridModel(const GridSettings& settings) : settings_(settings)
{
    setDefaultLabels();
}

void GridModel::renumberIcons(const GridSettings& to)
{
    const GridSettings& from = settings_;
    // Newly set offline crosspoints carry the off-line icon, so they follow it.
    const std::pair<int, int> roles[] = {
        {from.xpointFromFile, to.xpointFromFile}, {from.illegalXpointHighlight, to.illegalXpointHighlight},
        {from.illegalXpointGreyed, to.illegalXpointGreyed}, {from.localXpoint, to.localXpoint},
        {from.remoteXpoint, to.remoteXpoint}, {from.lockedXpoint, to.lockedXpoint},
    };
    for (uint8_t& cell : cells_) {
        if (cell == 0)
            continue;
        for (const auto& [before, after] : roles) {
            if (cell == before) {
                cell = uint8_t(after);
                break;
            }
        }
    }
    settings_ = to;
}

int GridModel::cell(int i, int o) const
{
    return inTable(i, o) ? cells_[size_t(i) * kColumns + size_t(o)] : 0;
}

void GridModel::setCell(int i, int o, int icon)
{
    if (inTable(i, o))
        cells_[size_t(i) * kColumns + size_t(o)] = uint8_t(icon);
}

int GridModel::sourceOf(int o) const
{
    int found = -1;
    for (int i = 0; i < kRows; ++i)
        if (!isEmpty(i, o) && !isIllegal(i, o))
            found = i;
    return found;
}

bool GridModel::rowHasLock(int o) const
{
    for (int i = 0; i < kRows; ++i)
        if (cell(i, o) == settings_.lockedXpoint)
            return true;
    return false;
}

const std::string& GridModel::inputLabel(int i) const
{
    static const std::string none;
    return i >= 0 && i < kColumns ? inputLabels_[size_t(i)] : none;
}

const std::string& GridModel::outputLabel(int o) const
{
    static const std::string none;
    return o >= 0 && o < kColumns ? outputLabels_[size_t(o)] : none;
}

std::string GridModel::hint(int o) const
{
    if (o < 0 || o >= kColumns || hintInputs_[size_t(o)] < 0)
        return {};
    const int i = hintInputs_[size_t(o)];
    return HintText(i + 1, inputLabel(i));
}

void GridModel::setDefaultLabels()
{
    for (int k = 0; k < kColumns; ++k) {
        inputLabels_[size_t(k)] = " In - " + std::to_string(k + 1);
        outputLabels_[size_t(k)] = "Out - " + std::to_string(k + 1);
    }
    hintInputs_.fill(-1);
    clearGrid();
}

void GridModel::clearGrid()
{
    cells_.fill(0);
}

void GridModel::rebuildLabels(const ConfigImage& image)
{
    const int p = image.selectedPreset();
    for (int n = 1; n <= kShownInputs; ++n)
        inputLabels_[size_t(n - 1)] = image.inputLabel(p, n);
    for (int n = 1; n <= kShownOutputs; ++n)
        outputLabels_[size_t(n - 1)] = image.outputLabel(n);
}

std::string GridModel::HintText(int inputNumber, const std::string& label)
{
    return "Input #" + std::to_string(inputNumber) + " (" + label + ") is routed to this output.";
}

void GridModel::setHint(int o, int i)
{
    if (o >= 0 && o < kColumns)
        hintInputs_[size_t(o)] = i;
}

void GridModel::rebuildGrid(const ConfigImage& image)
{
    const int p = image.selectedPreset();
    for (int o = 0; o < kShownOutputs; ++o) {
        for (int i = 0; i < kShownInputs; ++i)
            setCell(i, o, 0);
        // Bits 0-6 can name an input beyond 88 in a damaged image: no source.
        const int i = image.source(p, o);
        if (i >= 0 && i < kShownInputs)
            setCell(i, o, settings_.xpointFromFile);
        int last = -1;
        for (int k = 0; k < kRows; ++k)
            if (!isEmpty(k, o))
                last = k;
        setHint(o, last);
    }
    markIllegal(image.imageVersion());
}

void GridModel::markIllegal(uint16_t imageVersion)
{
    for (int i = 0; i < kShownInputs; ++i)
        for (int o = 0; o < kShownOutputs; ++o) {
            if (IsIllegalCrosspoint(i + 1, o + 1, imageVersion))
                setCell(i, o, settings_.illegalXpointGreyed);
            else if (isIllegal(i, o))
                setCell(i, o, 0);
        }
}

void GridModel::clearSources(int o)
{
    for (int i = 0; i < kRows; ++i)
        if (!isEmpty(i, o) && !isIllegal(i, o))
            setCell(i, o, 0);
}

GridModel::Click GridModel::setCrosspoint(int i, int o, ConfigImage& image, bool remote, const CommandSender& send)
{
    if (i < 0 || i >= kShownInputs || o < 0 || o >= kShownOutputs)
        return Click::Ignored;
    if (isIllegal(i, o))
        return Click::FlashIllegal;
    Click result = Click::Set;
    if (remote) {
        // A locked output keeps its routing until it is unlocked here.
        if (rowHasLock(o))
            return Click::FlashLocked;
        if (send)
            send(DotSetCrosspoint(o + 1, i + 1));
        result = Click::Sent;
    } else {
        clearSources(o);
        setCell(i, o, settings_.xpointFromFile);
        image.setSource(image.selectedPreset(), o, i);
        image.setModified(true);
    }
    setHint(o, i);
    return result;
}

bool GridModel::applyReport(int outputNumber, int inputNumber, bool remote)
{
    const int o = outputNumber - 1;
    const int i = inputNumber - 1;
    if (i < 0 || i >= kShownInputs || o < 0 || o >= kShownOutputs)
        return false;
    clearSources(o);
    if (!isIllegal(i, o)) {
        setCell(i, o, remote ? settings_.remoteXpoint : settings_.localXpoint);
        setHint(o, i);
    }
    return true;
}

std::vector<int> GridModel::toggleLocks(const std::vector<int>& outputNumbers)
{
    std::vector<int> changed;
    for (int n : outputNumbers) {
        const int o = n - 1;
        if (o < 0 || o >= kShownOutputs)
            continue;
        const int i = sourceOf(o);
        if (i < 0)
            continue;
        const int icon = cell(i, o);
        if (icon == settings_.lockedXpoint)
            setCell(i, o, settings_.remoteXpoint);
        else if (icon == settings_.localXpoint || icon == settings_.remoteXpoint)
            setCell(i, o, settings_.lockedXpoint);
        else
            continue;
        changed.push_back(n);
    }
    return changed;
}

} // namespace qv
