#include "session_files.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::sim {

namespace {

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

std::string linkTarget(const std::string& linkPath)
{
    char buffer[4096];
    const ssize_t n = readlink(linkPath.c_str(), buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

bool makeDeviceLink(const std::string& target, const std::string& linkPath, std::string& error)
{
    struct stat info{};
    if (lstat(linkPath.c_str(), &info) == 0) {
        if (!S_ISLNK(info.st_mode)) {
            error = linkPath + " exists and is not a symbolic link";
            return false;
        }
        if (unlink(linkPath.c_str()) != 0) {
            error = systemError(linkPath);
            return false;
        }
    }
    if (symlink(target.c_str(), linkPath.c_str()) != 0) {
        error = systemError(linkPath);
        return false;
    }
    return true;
}

void removeDeviceLink(const std::string& target, const std::string& linkPath)
{
    // Another session may have taken the name over meanwhile.
    if (linkTarget(linkPath) == target)
        unlink(linkPath.c_str());
}

bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = systemError(path);
        return false;
    }
    // mkstemp makes the file private; give it the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    const bool written = writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = systemError(path);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace qv::sim
