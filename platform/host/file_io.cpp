#include "platform/host/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace qv {

namespace {

namespace fs = std::filesystem;

constexpr int kTemporaryNameAttempts = 16;
// As many links as the system itself follows before it gives up on a loop.
constexpr int kMaxLinkHops = 40;
constexpr size_t kReadChunk = 65536;

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

std::string ErrnoText(int code)
{
    return std::strerror(code != 0 ? code : EIO);
}

// The file a path names once its links are followed, so that a write
// replaces what a link points at and the link stays.
fs::path LinkedFile(fs::path path)
{
    std::error_code ec;
    for (int hop = 0; hop < kMaxLinkHops && fs::is_symlink(path, ec); ++hop) {
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// A fresh temporary file next to target; "x" never opens one that is already there.
std::FILE* OpenTemporary(const fs::path& target, fs::path& temporary, int& code)
{
    std::random_device random;
    code = EEXIST;
    for (int attempt = 0; attempt < kTemporaryNameAttempts && code == EEXIST; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", unsigned(random()));
        temporary = target;
        temporary += suffix;
        errno = 0;
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx"))
            return file;
        code = errno;
    }
    return nullptr;
}

// The data reaches the disk before the rename makes it the real file, so a
// crash cannot leave an empty file under the old name.
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

} // namespace

FileRead ReadFileUpTo(const std::string& path, size_t limit)
{
    FileRead result;
    std::error_code ec;
    if (path.empty() || !fs::exists(fs::path(path), ec)) {
        result.status = FileRead::Status::NotFound;
        result.error = ErrnoText(ENOENT);
        return result;
    }
    // Some systems open a folder for reading; none reads it.
    if (fs::is_directory(fs::path(path), ec)) {
        result.error = ErrnoText(EISDIR);
        return result;
    }
    errno = 0;
    const File file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        result.status = FileRead::Status::CannotOpen;
        result.error = ErrnoText(errno);
        return result;
    }
    // One byte past the limit tells a file of exactly `limit` bytes from a longer one.
    const size_t wanted = limit == std::numeric_limits<size_t>::max() ? limit : limit + 1;
    std::vector<uint8_t> chunk(std::min(wanted, kReadChunk));
    errno = 0;
    while (result.bytes.size() < wanted) {
        const size_t asked = std::min(chunk.size(), wanted - result.bytes.size());
        const size_t got = std::fread(chunk.data(), 1, asked, file.get());
        result.bytes.insert(result.bytes.end(), chunk.begin(), chunk.begin() + std::ptrdiff_t(got));
        if (got < asked)
            break;
    }
    if (std::ferror(file.get())) {
        result.bytes.clear();
        result.error = ErrnoText(errno);
        return result;
    }
    if (result.bytes.size() > limit) {
        result.bytes.clear();
        result.status = FileRead::Status::TooLarge;
        result.error = ErrnoText(EFBIG);
        return result;
    }
    result.status = FileRead::Status::Ok;
    return result;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
    FileRead file = ReadFileUpTo(path, std::numeric_limits<size_t>::max());
    bytes = std::move(file.bytes);
    if (file.status == FileRead::Status::Ok)
        return true;
    error = file.error;
    return false;
}

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string& error,
                         FileWriteStep* failedAt)
{
    const auto fail = [&](FileWriteStep step, const std::string& reason) {
        error = reason;
        if (failedAt)
            *failedAt = step;
        return false;
    };
    const fs::path target = LinkedFile(fs::path(path));
    fs::path temporary;
    int code = 0;
    std::FILE* file = OpenTemporary(target, temporary, code);
    if (!file)
        return fail(FileWriteStep::Create, ErrnoText(code));

    errno = 0;
    bool written = (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()) &&
                   FlushToDisk(file);
    code = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        code = errno;
    }
    std::error_code ec;
    if (!written) {
        fs::remove(temporary, ec);
        return fail(FileWriteStep::Write, ErrnoText(code));
    }
    if (fs::is_regular_file(target, ec))
        fs::permissions(temporary, fs::status(target, ec).permissions(), ec); // keep the old file's mode
    fs::rename(temporary, target, ec);
    if (ec) {
        const std::string reason = ec.message();
        fs::remove(temporary, ec);
        return fail(FileWriteStep::Write, reason);
    }
    return true;
}

} // namespace qv
