#include "cdp_fixture.h"
#include "packages/cdp_reader.h"
#include "packages/install_plan.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::Build;
using test::Item;

struct Planned {
    explicit Planned(const CdpDraft& draft) : bytes(Build(draft)), package(*ReadCdp(bytes)) {}
    std::vector<uint8_t> bytes;
    CdpPackage package;
};

CdpDraft Draft(std::vector<CdpDraftItem> items)
{
    CdpDraft draft;
    draft.items = std::move(items);
    return draft;
}

TEST(PlanInstall, SelectionAndTotal)
{
    auto whole = Item(0, kCdpWholeMemory, 0, "whole", CdpValuePayload(kCdpWholeMemory, 1));
    whole.size = 5000;
    const std::string hex = ":00000001FF\r\n:00000001FF\r\n:00000001FF";
    const int64_t hexBytes = int64_t(hex.size());
    const Planned p(Draft({
        Item(0, kCdpSoftwareBlock, 0, "1000 for all", std::vector<uint8_t>(1000)),
        Item(1u << 4, kCdpSoftwareBlock, 0, "2000 for type 5", std::vector<uint8_t>(2000)),
        Item(1u << 3, kCdpSoftwareBlock, 0, "for type 4", std::vector<uint8_t>(4000)),
        Item(0, kCdpUpgradeTo510, 0, "configuration"),
        Item(0, kCdpIoFirmware, 0, "three lines", std::vector<uint8_t>(hex.begin(), hex.end())),
        Item(0, kCdpBuiltInIoFirmware, 0, "loader"),
        Item(0, kCdpModuleFirmware, 0xB0, "module", std::vector<uint8_t>(100)),
        whole,
    }));
    struct Case {
        const char* name;
        PlanFacts facts;
        std::vector<size_t> selected;
        int64_t total;
        bool wholeMemory;
    } cases[] = {
        {"type 5, no I/O-interface", {5, false, false, false, 0, {}}, {0, 1, 3, 4, 5, 6, 7},
         (1000 + 2000 + 32768 + hexBytes + 0 + 100 + 5000) * 103 / 100, false},
        {"type 4 in BIOS mode with a backup", {4, true, false, true, 0, {}}, {0, 2, 3, 4, 5, 6, 7},
         (1000 + 4000 + 0 + hexBytes + 0 + 100 + 5000 + 2048 * 128) * 103 / 100, false},
        {"type 0: the items for every type", {0, false, false, false, 0, {}}, {0, 3, 4, 5, 6, 7},
         (1000 + 32768 + hexBytes + 100 + 5000) * 103 / 100, false},
        {"I/O-interface, module in two slots, a backup in whole-memory mode",
         {14, false, true, true, 777, {0xB0, 0, 0xB0, 0xC1, 0, 0, 0}}, {0, 3, 4, 5, 6, 7},
         (1000 + 32768 + 3 + 777 + 2 * 100 + 5000) * 103 / 100, true},
    };
    for (const auto& c : cases) {
        const InstallPlan plan = PlanInstall(p.package, c.facts);
        EXPECT_EQ(plan.selected, c.selected) << c.name;
        EXPECT_EQ(plan.total, c.total) << c.name;
        EXPECT_EQ(plan.wholeMemory, c.wholeMemory) << c.name;
    }
}

TEST(PlanInstall, TwoItemsWithoutBackup)
{
    const Planned p(Draft({Item(0, kCdpSoftwareBlock, 0, "a", std::vector<uint8_t>(1000)),
                           Item(0, kCdpSoftwareBlock, 0, "b", std::vector<uint8_t>(2000))}));
    EXPECT_EQ(PlanInstall(p.package, {5, false, false, false, 0, {}}).total, 3090);
}

TEST(PlanInstall, HexLinesCountAsTheyAreSent)
{
    const std::pair<std::string, size_t> cases[] = {
        {"", 0}, {"a", 1}, {"a\n", 1}, {"a\r\nb", 2}, {"a\n\n", 2}, {"\n", 1},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(HexLineCount(std::vector<uint8_t>(text.begin(), text.end())), lines) << text;
}

TEST(PlanInstall, TypesTheFpgaMayRefineTo)
{
    EXPECT_EQ(RefinableTypes(14), (std::vector<int>{14, 15}));
    EXPECT_EQ(RefinableTypes(15), (std::vector<int>{15, 14}));
    EXPECT_EQ(RefinableTypes(18), (std::vector<int>{18, 16, 17}));
    EXPECT_EQ(RefinableTypes(16), (std::vector<int>{16, 17}));
    EXPECT_EQ(RefinableTypes(5), (std::vector<int>{5}));
    EXPECT_EQ(RefinableTypes(24), (std::vector<int>{24}));
}

} // namespace
} // namespace qv
