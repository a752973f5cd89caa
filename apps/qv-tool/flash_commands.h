#pragma once

#include "link/host_services.h"
#include "tool_args.h"
#include "tool_link.h"

#include <string>
#include <vector>

namespace qvtool {

// qv-tool flash read|write: the mainboard flash by sectors of 128 bytes,
// block by block through the instrument (link), or with --fast through the
// I/O-interface module's own flash transfers. words[0] is "read" or "write".
// Returns an exit status (commands.h).
int RunFlash(const Args& args, const std::vector<std::string>& words, qv::SerialPort& port, qv::HostServices host,
             ToolLink& link);

// The usage lines of the flash commands, for --help.
extern const char* const kFlashUsage;

} // namespace qvtool
