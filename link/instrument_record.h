#pragma once

#include "dot_identity.h"

#include <string>

namespace qv {

// QV-Matrix's record of the connected instrument.
struct InstrumentRecord {
    bool connected = false;
    int type = 0;             // type code; 0 unknown
    char revision = 0;        // byte 19 of block 0x1C100; 0 when not read
    std::string serialText;   // "-1" for a blank identity, empty when never read
    int serial = 0;
    bool biosMode = false;
    std::string programSize;  // 128-byte blocks of program memory: "2048" or "1024"

    // From the DOT information reply.
    bool remoteCapable = false;
    DotIdentity dot;
};

} // namespace qv
