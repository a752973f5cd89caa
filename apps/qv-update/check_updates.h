#pragma once

#include <cstdio>
#include <string>

namespace qv {

// --check-updates: asks the update server whether a newer QV-Update exists
// and prints what "Check for updates..." would say. Runs its own event loop
// until the check is over. Returns kExitDone when this is the latest
// version, kExitFailed when a newer one exists or the server could not be
// asked, kExitUsage when no usable server is set.
int RunUpdateCheck(const std::string& server, const std::string& webAddress, const std::string& programVersion,
                   int readTimeoutMs, std::FILE* out = stdout, std::FILE* err = stderr);

} // namespace qv
