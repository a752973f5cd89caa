#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Data items compiled into the programs, read by name ("Colour", "Font",
// "LeqM", ...). Each is a file data/items/NAME.* made by a tool in tools/.
// Empty when there is no such item.
std::span<const uint8_t> EmbeddedData(std::string_view name);
std::vector<std::string> EmbeddedDataNames();

} // namespace qv
