#pragma once

// Inputs and outputs as the tests name them: In(3), Out(12).
#include "matrix/channel.h"

namespace qv {

inline Channel In(int n) { return Channel{Channel::Input, n}; }
inline Channel Out(int n) { return Channel{Channel::Output, n}; }

} // namespace qv
