#pragma once

#include "dot_command.h"
#include "instrument_options.h"
#include "live_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qv::sim {

// What the running software does with one DOT command and what it answers.
// Set commands it carries out are acknowledged with ".A" + the command from
// its third character; what it cannot do is refused with ".F" + the same,
// and commands it does not know get ".N" + the same. The pointer commands
// and parameter 15 (but for the download-mode entry) are taken silently:
// pointer events come in streams, and the others are followed at once by
// binary exchanges that a reply would disturb. Empty for no answer.
std::string dotReply(const DotCommand& command, const InstrumentOptions& options, LiveState& live,
                     std::vector<uint8_t>& memory);

// ".SP15,21": after its reply the instrument restarts into download mode.
bool entersDownloadMode(const DotCommand& command);

// ".SP15,17" freezes the display, ".SP15,19" lets it run again; nothing
// for other commands.
std::optional<bool> freezesScreen(const DotCommand& command);

// ".AA" + output + "," + input, with "*" when remote control set it.
std::string crosspointReport(int output, int input, bool remote);
// ".AP9," + preset.
std::string presetReport(int preset);

// Unsolicited notices: a change at the front panel, and the end of a boot.
inline constexpr char kUpdateNotice[] = ".U\r\n";
inline constexpr char kPowerUpNotice[] = ".P\r\n";

} // namespace qv::sim
