#pragma once

#include "link/dot_identity.h"

#include <array>
#include <string>

namespace qv {

// The installed modules window: channel counts and the module of each of
// the four input and four output slots, from the DOT identity.
struct InstalledModules {
    static constexpr int kSlots = 4;
    std::string inputCaption;
    std::string outputCaption;
    std::array<std::string, kSlots> inputs;  // "#1: " + module name
    std::array<std::string, kSlots> outputs;
};
InstalledModules InstalledModulesOf(const DotIdentity& identity);

} // namespace qv
