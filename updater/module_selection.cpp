#include "module_selection.h"

#include "at_codec.h"
#include "firmware_results.h"

namespace qv {

ModuleSelection::ModuleSelection(uint8_t target, const std::array<uint8_t, kSlots>& slotIds)
    : target_(target), found_(slotIds), ids_(slotIds)
{
}

std::string ModuleSelection::line(int index) const
{
    const uint8_t id = found_.at(size_t(index));
    return "Slot #" + std::to_string(index + 1) + " - " + at::ModuleName(id) + " (" + HexByteText(id) + ").";
}

bool ModuleSelection::enabled(int index) const
{
    return target_ != 0 && target_ != 0xFF && found_.at(size_t(index)) == target_;
}

bool ModuleSelection::checked(int index) const
{
    return enabled(index) && ids_.at(size_t(index)) == target_;
}

void ModuleSelection::setChecked(int index, bool checked)
{
    if (enabled(index))
        ids_.at(size_t(index)) = checked ? target_ : 0;
}

bool ModuleSelection::okEnabled() const
{
    for (int i = 0; i < kSlots; ++i)
        if (checked(i))
            return true;
    return false;
}

std::string ModuleSelection::noneDetectedText() const
{
    return "No " + at::ModuleName(target_) + " (" + HexByteText(target_) + ") detected.";
}

} // namespace qv
