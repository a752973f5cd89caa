#pragma once

#include <cstdint>
#include <string>

namespace qv {

// What received DOT text asks for. The remote-control window applies it to
// the grid, the preset list, the identity and its logs. A report reaches the
// handler only when it was read whole.
class DotMessageHandler {
public:
    virtual ~DotMessageHandler() = default;
    // "AA": the output takes the input; remote when the report ended in "*".
    virtual void crosspointReport(int /*output*/, int /*input*/, bool /*remote*/) {}
    // "AP" on parameter 9, while remote control is connected: preset 1 to 11.
    virtual void presetReport(int /*preset*/) {}
    // "AI": an identity item and its value.
    virtual void identityReport(int /*item*/, int64_t /*value*/) {}
    // "F": the instrument refused to route input to output.
    virtual void refusal(int /*output*/, int /*input*/) {}
    // "U" and "P" (the latter only while remote control is connected).
    virtual void updateNotice() {}
    virtual void powerUpNotice() {}
    // After each message: its text for the status bar and the macro window.
    virtual void messageShown(const std::string& /*text*/) {}
    // A line for the DOT log window.
    virtual void log(const std::string& /*line*/) {}
};

struct DotParseState {
    bool remoteConnected = false;
    // A running macro was asked to stop: only the first message is handled.
    bool macroStopRequested = false;
};

inline constexpr char kDotUpdateLog[] = "Update: -----------------";
inline constexpr char kDotPowerUpLog[] = "Powerup: -----------------";
inline constexpr char kDotInvalidLog[] = "Invalid Chr. Detected.";

// Handles every message of the text in order. Garbage is skipped, a report
// whose numbers do not read ends the parse, a notice discards the rest.
void ParseDotText(std::string text, const DotParseState& state, DotMessageHandler& handler);

// Whether collected text acknowledges a macro command line: ".A", ".F" or
// ".N" followed by the line from its third character, not running on into
// a longer number (".AA5,31" does not acknowledge ".SA5,3").
bool DotAcknowledges(const std::string& collected, const std::string& commandLine);

} // namespace qv
