#include "install_plan.h"

#include "cdp_format.h"
#include "cdp_selection.h"
#include "link/identity_tables.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int64_t kMarginPercent = 3;

int64_t ItemTotal(const CdpItem& item, const PlanFacts& facts)
{
    switch (item.kind) {
    case kCdpUpgradeTo500:
    case kCdpUpgradeTo510:
        if (!facts.biosMode)
            return kConfigUpgradeBytes;
        break;
    case kCdpIoFirmware:
        if (facts.ioInterface)
            return int64_t(HexLineCount(item.payload));
        break;
    case kCdpBuiltInIoFirmware:
        if (facts.ioInterface)
            return int64_t(facts.fpgaLoaderLines);
        break;
    case kCdpModuleFirmware:
        if (facts.ioInterface) {
            // Once for every slot that holds the module.
            int64_t slots = 0;
            for (uint8_t id : facts.slotIds)
                slots += item.address == id ? 1 : 0;
            return int64_t(item.size) * slots;
        }
        break;
    default:
        break;
    }
    return item.size;
}

} // namespace

int64_t BackupBytes(int type)
{
    return int64_t(FlashSectors(type)) * 128;
}

InstallPlan PlanInstall(const CdpPackage& package, const PlanFacts& facts)
{
    InstallPlan plan;
    for (size_t i = 0; i < package.items.size(); ++i) {
        const CdpItem& item = package.items[i];
        if (!IsItemSelected(item.mask, facts.type))
            continue;
        plan.selected.push_back(i);
        plan.total += ItemTotal(item, facts);
        if (item.kind == kCdpWholeMemory && facts.ioInterface)
            plan.wholeMemory = true;
    }
    if (facts.backup && !plan.wholeMemory)
        plan.total += BackupBytes(facts.type);
    plan.total += plan.total * kMarginPercent / 100;
    return plan;
}

InstallPlan PlanMatrixInstall(const CdpPackage& package, int type, bool biosMode)
{
    constexpr int64_t kClosingSteps = 2;
    InstallPlan plan;
    plan.selected = SelectItems(package, type);
    for (size_t i : plan.selected) {
        const CdpItem& item = package.items[i];
        plan.total += item.size;
        if ((item.kind == kCdpUpgradeTo500 || item.kind == kCdpUpgradeTo510) && !biosMode)
            plan.total += kConfigUpgradeBytes;
    }
    plan.total += kClosingSteps;
    return plan;
}

size_t HexLineCount(std::span<const uint8_t> text)
{
    const size_t feeds = size_t(std::count(text.begin(), text.end(), uint8_t('\n')));
    return feeds + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

std::vector<int> RefinableTypes(int type)
{
    if (type == 14 || type == 15)
        return {type, type == 14 ? 15 : 14};
    if (type >= 16 && type <= 19) {
        std::vector<int> types{type};
        for (int refined : {16, 17})
            if (refined != type)
                types.push_back(refined);
        return types;
    }
    return {type};
}

} // namespace qv
