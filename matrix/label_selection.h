#pragma once

#include "channel.h"

#include <array>
#include <optional>
#include <vector>

namespace qv {

// Which input and output labels are selected, and the mouse rules that
// change it. PPM channels are selected in pairs by Ctrl and Shift clicks.
// Channel numbers outside 1..97 are ignored.
class LabelSelection {
public:
    static constexpr int kSlots = 97;

    bool isSelected(Channel c) const;
    // Sets one flag, without the PPM partner.
    void set(Channel c, bool on);
    // Clears every flag and forgets the range anchor.
    void clear();
    bool empty() const;

    // Left clicks on a label.
    void plainClick() { clear(); }
    void ctrlClick(Channel c);
    void shiftClick(Channel c);

    // A right click selects the clicked label while its popup is open; the
    // token gives back its earlier state afterwards.
    struct RightClick {
        Channel channel;
        bool wasSelected = false;
    };
    RightClick beginRightClick(Channel c, bool ctrlOrShift);
    void endRightClick(const RightClick& token);

    // Selected numbers in ascending order.
    std::vector<int> inputs() const;
    std::vector<int> outputs() const;
    bool anyInput(int from, int to) const;
    bool anyOutput(int from, int to) const;
    // The first selected output in from..to, if any.
    std::optional<int> firstOutput(int from, int to) const;

    const std::optional<Channel>& anchor() const { return anchor_; }

private:
    void setPaired(Channel c, bool on);
    static bool valid(Channel c) { return c.number >= 1 && c.number <= kSlots; }
    std::array<bool, kSlots>& flags(Channel::Kind k) { return k == Channel::Input ? inputs_ : outputs_; }
    const std::array<bool, kSlots>& flags(Channel::Kind k) const
    {
        return k == Channel::Input ? inputs_ : outputs_;
    }

    std::array<bool, kSlots> inputs_{};
    std::array<bool, kSlots> outputs_{};
    std::optional<Channel> anchor_;
};

} // namespace qv
