// qv-tool crc32 FILE: the CRC-32 that packages and preset files carry.
#include "commands.h"
#include "file_commands.h"
#include "packages/crc32.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace qvtool {

namespace {

int RunCrc32(const std::vector<std::string>& words)
{
    if (words.size() != 2)
        return FileUsage("crc32 needs FILE");
    const std::string& path = words[1];
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return FileFail("cannot read " + path + ": " + std::strerror(errno ? errno : EIO));
    const uint32_t crc = qv::CRC32(in);
    if (in.bad())
        return FileFail("cannot read " + path + ": " + std::strerror(errno ? errno : EIO));
    std::printf("%08X\n", unsigned(crc));
    return kExitOk;
}

const FileCommandRegistration kCrc32{"crc32",
                                     "crc32 FILE                       CRC-32 of FILE as 8 uppercase hex digits",
                                     RunCrc32};

} // namespace

} // namespace qvtool
