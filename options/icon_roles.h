#pragma once

#include "matrix/grid_settings.h"

#include <array>
#include <optional>
#include <string>

namespace qv {

// The six roles a crosspoint icon has in the grid, as the Options dialog
// offers them.
enum class IconRole { OffLine, IllegalGreyed, Illegal, Local, Remote, Locked };
inline constexpr std::array<IconRole, 6> kIconRoles{IconRole::OffLine, IconRole::IllegalGreyed, IconRole::Illegal,
                                                     IconRole::Local,   IconRole::Remote,        IconRole::Locked};

int IconOf(const GridSettings& settings, IconRole role);
void SetIcon(GridSettings& settings, IconRole role, int icon);

// The numbers a role may take: from 2 (1 for the greyed illegal icon, which
// may be the plain box) to the last icon of the list.
int LowestIcon(IconRole role);
int HighestIcon();

// The one check of the dialog's OK: neither the greyed illegal icon nor the
// locked icon may be shared with another role, as both are told apart by
// their number alone. The message of the first conflict, else nothing.
std::optional<std::string> IconConflict(const GridSettings& settings);

} // namespace qv
