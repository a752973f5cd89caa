#pragma once

#include "config_image.h"
#include "platform/host/prompter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// What Open says after the reader failed, following any message of its own.
inline constexpr char kNotValidConfigurationText[] = "This is not a valid configuration-file!";

// The stored software version can be overridden from the command line:
// "/A" followed by "/O" + a version text.
struct VersionOverride {
    bool enabled = false;
    uint16_t version = 0;
};

// The program's arguments without the program name.
VersionOverride VersionOverrideFromArguments(const std::vector<std::string>& arguments);

// "The file "PATH" was not found." (no quotes for an empty path).
std::string FileNotFoundText(const std::string& path);

// Reads a raw (16384 bytes) or preset file (16416 bytes) into the image and
// its trailer, with the reader's messages. On any failure the image, its
// trailer and its modified flag stay as they were. After a successful read
// preset 1 is selected, the image counts as unmodified, and the override
// question may change the version.
bool LoadConfiguration(const std::string& path, ConfigImage& image, Prompter& prompter,
                       const VersionOverride& versionOverride = {});

// Writes a preset file, or a raw file when the name ends in ".380", through
// a temporary file and a rename. A preset file's checksum goes into the
// trailer; a raw file leaves the trailer without origin. On failure the old
// file and the trailer stay and the platform's error is shown. The modified
// flag is the caller's business (a temporary copy for a transfer is no save).
bool SaveConfiguration(const std::string& path, ConfigImage& image, Prompter& prompter);

} // namespace qv
