#include "options/icon_roles.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

constexpr char kGreyedConflict[] =
    "One or more icons are set to the same icon as the icon \"Illegal X-Point grayed\", this is not allowed.";
constexpr char kLockedConflict[] =
    "One or more icons are set to the same icon as the icon \"Locked X-Point\", this is not allowed.";

TEST(IconRoles, OnlyTheGreyedAndLockedIconsMustStandAlone)
{
    const struct {
        const char* name;
        std::vector<std::pair<IconRole, int>> changes;
        std::optional<std::string> conflict;
    } cases[] = {
        {"defaults", {}, std::nullopt},
        {"off-line as remote", {{IconRole::OffLine, 8}}, std::nullopt},
        {"local as locked", {{IconRole::Local, 4}}, kLockedConflict},
        {"greyed as locked", {{IconRole::IllegalGreyed, 4}}, kGreyedConflict},
        {"both, greyed told first", {{IconRole::Local, 4}, {IconRole::OffLine, 2}}, kGreyedConflict},
        {"remote as greyed", {{IconRole::Remote, 2}}, kGreyedConflict},
        {"illegal as locked", {{IconRole::Illegal, 4}}, kLockedConflict},
    };
    for (const auto& c : cases) {
        GridSettings s;
        for (auto [role, icon] : c.changes)
            SetIcon(s, role, icon);
        EXPECT_EQ(IconConflict(s), c.conflict) << c.name;
    }
}

TEST(IconRoles, RangesAndTheSettingsEachRoleNames)
{
    GridSettings s;
    const int defaults[] = {6, 2, 3, 13, 8, 4};
    for (size_t k = 0; k < kIconRoles.size(); ++k) {
        EXPECT_EQ(IconOf(s, kIconRoles[k]), defaults[k]);
        SetIcon(s, kIconRoles[k], int(20 + k));
        EXPECT_EQ(IconOf(s, kIconRoles[k]), int(20 + k));
        EXPECT_EQ(LowestIcon(kIconRoles[k]), kIconRoles[k] == IconRole::IllegalGreyed ? 1 : 2);
    }
    EXPECT_EQ(s.xpointFromFile, 20);
    EXPECT_EQ(s.lockedXpoint, 25);
    EXPECT_EQ(HighestIcon(), 25);
}

} // namespace
} // namespace qv
