#include "file_bytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

namespace qv {

namespace {

std::string Reason(const std::string& path, int code)
{
    return path + ": " + std::strerror(code);
}

// Opens a new, exclusive temporary file beside path.
std::FILE* CreateTemporary(const std::string& path, std::string& temporary, int& code)
{
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".tmp%08X", unsigned(random()));
        temporary = path + suffix;
        errno = 0;
        if (std::FILE* f = std::fopen(temporary.c_str(), "wbx"))
            return f;
        code = errno ? errno : EIO;
        if (code != EEXIST)
            break;
    }
    return nullptr;
}

} // namespace

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& error)
{
    bytes.clear();
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = Reason(path, errno);
        return false;
    }
    uint8_t chunk[65536];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    const int code = std::ferror(f) ? (errno ? errno : EIO) : 0;
    std::fclose(f);
    if (code != 0) {
        bytes.clear();
        error = Reason(path, code);
        return false;
    }
    return true;
}

bool SaveFileAtomically(const std::string& path, std::span<const uint8_t> bytes, std::string& error)
{
    std::string temporary;
    int code = 0;
    std::FILE* f = CreateTemporary(path, temporary, code);
    if (!f) {
        error = Reason(path, code);
        return false;
    }
    errno = 0;
    bool ok = (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size()) && std::fflush(f) == 0;
    code = ok ? 0 : errno;
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        std::remove(temporary.c_str());
        error = Reason(path, code ? code : EIO);
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::remove(temporary.c_str());
        error = path + ": " + ec.message();
        return false;
    }
    return true;
}

} // namespace qv
