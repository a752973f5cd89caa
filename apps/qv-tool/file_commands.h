#pragma once

#include <string>
#include <vector>

namespace qvtool {

// Commands that work on files and need no instrument ("crc32", "scale",
// ...). Each lives in its own source and registers itself:
//   static const FileCommandRegistration reg{"crc32", "crc32 FILE   ...", RunCrc32};
// words[0] is the command name. Returns an exit status (commands.h).
using FileCommandRun = int (*)(const std::vector<std::string>& words);

struct FileCommand {
    std::string name;
    std::string usage; // lines for --help, each starting with the command
    FileCommandRun run;
};

std::vector<FileCommand>& FileCommands();

struct FileCommandRegistration {
    FileCommandRegistration(std::string name, std::string usage, FileCommandRun run)
    {
        FileCommands().push_back({std::move(name), std::move(usage), run});
    }
};

// Writes a one-line failure to stderr; returns the failure status.
int FileFail(const std::string& what);
// Writes a usage error; returns the usage status.
int FileUsage(const std::string& what);

} // namespace qvtool
