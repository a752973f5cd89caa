#pragma once

#include <string>

namespace qv {

// QV-Matrix's pending word modification and flash mirror switch.
struct DSPFileRecord {
    char operation = 0;        // 'M' while the installer modifies a word
    bool flashMirror = false;  // keep a local mirror of written blocks
    std::string value;         // "$" + four hex digits of the current modification
};

} // namespace qv
