#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Text split after each line feed, which stays with its line together with
// any carriage return before it; a last line without a line feed ends at the
// end of the text. The lines go to the I/O module exactly as they are held.
std::vector<std::string> SplitResourceLines(std::span<const uint8_t> text);

// An embedded data item ("FPGA_PRG", "FPGA_PRG14") as lines; none when the
// program carries no such item.
std::vector<std::string> LoadResourceLines(std::string_view name);

} // namespace qv
