#include "cdp_selection.h"

#include "link/identity_tables.h"

namespace qv {

bool IsItemSelected(uint32_t mask, int type)
{
    if (mask == 0)
        return true;
    if (type < 1 || type > 32)
        return false;
    return (mask >> (type - 1)) & 1u;
}

std::vector<size_t> SelectItems(const CdpPackage& package, int type)
{
    std::vector<size_t> selected;
    for (size_t i = 0; i < package.items.size(); ++i)
        if (IsItemSelected(package.items[i].mask, type))
            selected.push_back(i);
    return selected;
}

bool MeantForInstrument(const CdpPackage& package, int type)
{
    return type == kTypeUnknown || !SelectItems(package, type).empty();
}

} // namespace qv
