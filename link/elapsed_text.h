#pragma once

#include <cstdint>
#include <string>

namespace qv {

// Elapsed time as minutes and two-digit seconds: "1:05".
std::string ElapsedText(int64_t ms);

} // namespace qv
