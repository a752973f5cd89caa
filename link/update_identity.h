#pragma once

#include "dot_identity.h"

#include <cstdint>
#include <string>

namespace qv {

// What QV-Update knows about the connected instrument.
struct UpdateIdentity {
    bool connected = false;
    bool biosMode = false;
    int type = 0;
    std::string typeName;
    char revision = 0;
    int serial = 0;
    double softwareVersion = 0;

    // From the I/O-interface module, when there is one.
    bool ioInterfacePresent = false;
    std::string boardCode;   // three characters of the status record
    bool vp30Switch = false; // command-line switch /VP30

    bool textInfoReceived = false;
    DotIdentity dot;
};

} // namespace qv
