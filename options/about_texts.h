#pragma once

#include "link/dot_identity.h"
#include "platform/host/pc_facts.h"

#include <string>
#include <vector>

namespace qv {

// The connected instrument as the About box describes it.
struct AboutInstrument {
    bool identified = false;
    bool biosMode = false;
    bool dotLive = false;       // it answered the DOT identity query
    std::string typeName;
    std::string serialText;
    double memoryVersion = 1.0; // read from its memory without DOT; 1.0: none read
    DotIdentity dot;
};

// The About box's instrument lines; those a state does not fill stay empty.
struct AboutInstrumentLines {
    std::string type;
    std::string serial;
    std::string software;
    std::string dotSupport;
    std::string hardwareId;
    std::string hardwareVersion;
    std::string firmware;
    std::string bios;
    std::string extendedBios;
};
AboutInstrumentLines InstrumentLines(const AboutInstrument& instrument);

// The PC lines, refreshed every second; the available-memory line only
// while at least 1 MB is free.
std::vector<std::string> PcLines(const PcFacts& facts);

// What the hidden diagnostic area lists.
struct DiagnosticFacts {
    std::string program;                // the program's path as started
    std::vector<std::string> arguments; // without the program
    bool advancedMode = false;          // the "/A" version override
    std::string helpFile;
    std::string platformDir;
    std::string tempDir;
    std::string systemDir;
    std::string systemVersion;
    ReleaseNumbers release;
    std::vector<std::string> ports;
};
std::vector<std::string> DiagnosticLines(const DiagnosticFacts& facts);

// "<" + 75 "-" + ">".
std::string DiagnosticSeparator();

} // namespace qv
