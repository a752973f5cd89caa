#include "file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace qv {

namespace {

namespace fs = std::filesystem;

constexpr int kTemporaryNameAttempts = 16;

std::string ErrnoText(int error)
{
    return std::strerror(error);
}

// Flushes the data to the disk before the rename makes it the real file, so
// a crash cannot leave an empty file under the old name.
bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#if defined(__unix__) || defined(__APPLE__)
    return ::fsync(::fileno(file)) == 0;
#else
    return true;
#endif
}

std::FILE* OpenTemporary(const fs::path& target, fs::path& temporary)
{
    std::random_device random;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x~", unsigned(random()));
        temporary = target;
        temporary += suffix;
        // "x": never open a file that is already there.
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx"))
            return file;
        if (errno != EEXIST)
            return nullptr;
    }
    return nullptr;
}

} // namespace

FileRead ReadFileUpTo(const std::string& path, size_t limit)
{
    FileRead result;
    std::error_code ec;
    if (path.empty() || !fs::exists(fs::path(path), ec)) {
        result.status = FileRead::Status::NotFound;
        return result;
    }
    if (fs::is_directory(fs::path(path), ec)) {
        result.error = ErrnoText(EISDIR);
        return result;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        result.error = ErrnoText(errno);
        return result;
    }
    // One byte past the limit tells a file of exactly `limit` bytes from a longer one.
    result.bytes.resize(limit + 1);
    const size_t got = std::fread(result.bytes.data(), 1, result.bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed) {
        result.bytes.clear();
        result.error = ErrnoText(readError);
        return result;
    }
    if (got > limit) {
        result.bytes.clear();
        result.status = FileRead::Status::TooLarge;
        return result;
    }
    result.bytes.resize(got);
    result.status = FileRead::Status::Ok;
    return result;
}

bool WriteFileAtomic(const std::string& path, std::span<const uint8_t> bytes, std::string& error)
{
    const fs::path target(path);
    fs::path temporary;
    std::FILE* file = OpenTemporary(target, temporary);
    if (!file) {
        error = ErrnoText(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && FlushToDisk(file);
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    const int closeError = errno;
    std::error_code ec;
    if (!written || !closed) {
        error = ErrnoText(written ? closeError : writeError);
        fs::remove(temporary, ec);
        return false;
    }
    if (fs::is_regular_file(target, ec))
        fs::permissions(temporary, fs::status(target, ec).permissions(), ec); // keep the old file's mode
    fs::rename(temporary, target, ec);
    if (ec) {
        error = ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

} // namespace qv
