#pragma once

#include <string>

namespace qv {

// The external transfer program named by the ExtCMD setting.
class ExternalProgram {
public:
    virtual ~ExternalProgram() = default;
    // Starts the program with the argument string in workingFolder (none when
    // empty). With wait it returns when the program has ended, keeping the
    // windows alive meanwhile. False when the program could not be started.
    virtual bool run(const std::string& arguments, const std::string& workingFolder, bool wait) = 0;
    // The program's file, for messages.
    virtual std::string path() const = 0;
};

} // namespace qv
