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
    enum class Status { Ok, NotFound, TooLarge, CannotOpen, CannotRead };
    Status status = Status::CannotRead;
    std::vector<uint8_t> bytes; // the whole file when Ok
    std::string error;          // the platform's reason when not Ok
};

FileRead ReadFileUpTo(const std::string& path, size_t limit);

// Reads a whole file, however long. On failure `bytes` is empty and `error`
// holds the platform's reason.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

// Where a failed atomic write stopped, for callers whose messages tell the two apart.
enum class FileWriteStep { Create, Write };

// Writes a whole file atomically: an exclusive temporary file in the
// target's folder, flushed to the disk, then renamed over the target. The
// old file's permissions are kept, and a symbolic link keeps pointing at the
// file it names, which is the one replaced. On failure the old file is
// untouched, the temporary file is gone, `error` holds the platform's reason
// and `failedAt` (when given) the step that failed.
bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string& error,
                         FileWriteStep* failedAt = nullptr);

} // namespace qv
