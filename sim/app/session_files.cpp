#include "session_files.h"

#include <cerrno>
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

} // namespace qv::sim
