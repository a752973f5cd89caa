#include "label_selection.h"

#include <algorithm>

namespace qv {

bool LabelSelection::isSelected(Channel c) const
{
    return valid(c) && flags(c.kind)[size_t(c.number - 1)];
}

void LabelSelection::set(Channel c, bool on)
{
    if (valid(c))
        flags(c.kind)[size_t(c.number - 1)] = on;
}

void LabelSelection::setPaired(Channel c, bool on)
{
    set(c, on);
    if (auto partner = PpmPartner(c))
        set(*partner, on);
}

void LabelSelection::clear()
{
    inputs_.fill(false);
    outputs_.fill(false);
    anchor_.reset();
}

bool LabelSelection::empty() const
{
    auto none = [](const std::array<bool, kSlots>& a) { return std::none_of(a.begin(), a.end(), [](bool b) { return b; }); };
    return none(inputs_) && none(outputs_);
}

void LabelSelection::ctrlClick(Channel c)
{
    if (valid(c))
        setPaired(c, !isSelected(c));
}

void LabelSelection::shiftClick(Channel c)
{
    if (!valid(c))
        return;
    // A range never spans the two strips: a click on the other strip starts
    // a new range there.
    if (!anchor_ || anchor_->kind != c.kind) {
        anchor_ = c;
        setPaired(c, true);
        return;
    }
    const int from = std::min(anchor_->number, c.number);
    const int to = std::max(anchor_->number, c.number);
    for (int n = from; n <= to; ++n)
        setPaired(Channel{c.kind, n}, true);
}

LabelSelection::RightClick LabelSelection::beginRightClick(Channel c, bool ctrlOrShift)
{
    RightClick token{c, isSelected(c)};
    if (ctrlOrShift && !token.wasSelected) {
        clear();
        token.wasSelected = false;
    }
    set(c, true);
    return token;
}

void LabelSelection::endRightClick(const RightClick& token)
{
    set(token.channel, token.wasSelected);
}

namespace {
std::vector<int> Numbers(const std::array<bool, LabelSelection::kSlots>& a)
{
    std::vector<int> out;
    for (size_t k = 0; k < a.size(); ++k)
        if (a[k])
            out.push_back(int(k) + 1);
    return out;
}
} // namespace

std::vector<int> LabelSelection::inputs() const { return Numbers(inputs_); }
std::vector<int> LabelSelection::outputs() const { return Numbers(outputs_); }

bool LabelSelection::anyInput(int from, int to) const
{
    for (int n = std::max(from, 1); n <= std::min(to, kSlots); ++n)
        if (inputs_[size_t(n - 1)])
            return true;
    return false;
}

bool LabelSelection::anyOutput(int from, int to) const
{
    return firstOutput(from, to).has_value();
}

std::optional<int> LabelSelection::firstOutput(int from, int to) const
{
    for (int n = std::max(from, 1); n <= std::min(to, kSlots); ++n)
        if (outputs_[size_t(n - 1)])
            return n;
    return std::nullopt;
}

} // namespace qv
