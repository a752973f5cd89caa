#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

// Reads at most `limit` bytes of a file; a longer file is reported as such
// without being read whole, so an odd file never costs more than the limit.
struct FileRead {
    enum class Status { Ok, NotFound, TooLarge, Error };
    Status status = Status::Error;
    std::vector<uint8_t> bytes; // the whole file when Ok
    std::string error;          // the platform's text when Error
};

FileRead ReadFileUpTo(const std::string& path, size_t limit);

// Writes a whole file atomically: a temporary file in the same folder, then
// a rename over the target. On failure the old file is untouched, the
// temporary file is gone and `error` holds the platform's text.
bool WriteFileAtomic(const std::string& path, std::span<const uint8_t> bytes, std::string& error);

} // namespace qv
