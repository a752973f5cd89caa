#include "scale/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

namespace qv {

namespace fs = std::filesystem;

namespace {

constexpr int kTemporaryNameAttempts = 8;

std::string SystemError(int code)
{
    return std::strerror(code);
}

// A fresh temporary file next to target, opened exclusively.
std::FILE* CreateTemporary(const fs::path& target, fs::path& temporary, int& code)
{
    std::random_device random;
    code = 0;
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", unsigned(random()));
        temporary = target;
        temporary += suffix;
        errno = 0;
        if (std::FILE* file = std::fopen(temporary.string().c_str(), "wbx"))
            return file;
        code = errno;
        if (code != EEXIST)
            break;
    }
    return nullptr;
}

} // namespace

bool WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string& error)
{
    std::error_code ec;
    fs::path target(path);
    // Replace what a link points at, not the link itself.
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }

    fs::path temporary;
    int code = 0;
    std::FILE* file = CreateTemporary(target, temporary, code);
    if (!file) {
        error = "Cannot create file " + path + ": " + SystemError(code);
        return false;
    }
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
    code = errno;
    if (std::fclose(file) != 0 && written)
        code = errno;
    if (!written || code != 0) {
        fs::remove(temporary, ec);
        error = "Cannot write file " + path + ": " + SystemError(code ? code : EIO);
        return false;
    }

    // Keep the permissions of the file being replaced.
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old))
        fs::permissions(temporary, old.permissions(), ec);

    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        error = "Cannot write file " + path + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace qv
