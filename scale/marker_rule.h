#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace qv {

inline constexpr std::string_view kMarkerRuleWarning = "There can only be one Overload Marker and one Underload Marker";

// kinds: the style chosen for lines 1 to 28 in order (-1 when none). Every
// underload or overload marker after the first of its sort is set back to
// None; returns the indices reset, in line order, one warning each.
std::vector<size_t> ApplyMarkerRule(std::span<int> kinds);

} // namespace qv
