#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace qv {

// The module selection dialog (TfrmModuleSelect) without its window: which
// expansion slots take an image for the target module. One line per slot;
// the slots that hold the target are enabled and checked, the others
// disabled. Unchecking a slot sets its ID to 0, checking it sets the target.
// No slot holds a target of 0 or 255, which name no module.
class ModuleSelection {
public:
    static constexpr int kSlots = 7;
    static constexpr const char* kCaption = "Module selection...";
    static constexpr const char* kGroupText = "Please select which modules to update.";

    ModuleSelection(uint8_t target, const std::array<uint8_t, kSlots>& slotIds);

    uint8_t target() const { return target_; }
    // "Slot #3 - 8 Channel Analogue Output Module, 8-ANA (C0)."; index 0 is slot 1.
    std::string line(int index) const;
    bool enabled(int index) const;
    bool checked(int index) const;
    void setChecked(int index, bool checked);
    // OK needs at least one slot checked.
    bool okEnabled() const;
    // The slot IDs as the user left them: the target where a slot is to be programmed.
    const std::array<uint8_t, kSlots>& slotIds() const { return ids_; }
    // The warning when no slot holds the target: "No " + name + " (XX) detected.".
    std::string noneDetectedText() const;

private:
    uint8_t target_;
    std::array<uint8_t, kSlots> found_; // as the scan read them
    std::array<uint8_t, kSlots> ids_;
};

} // namespace qv
