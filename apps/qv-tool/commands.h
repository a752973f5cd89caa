#pragma once

namespace qvtool {

// Exit status: 0 success, 1 failure (one line on stderr), 2 usage error.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

int Run(int argc, char** argv);

} // namespace qvtool
