#include "download_mode.h"

namespace qv {

namespace {

bool Exchange(const DownloadModeIo& io, const char* command, const char* expected)
{
    for (int attempt = 0; attempt < kDownloadModeAttempts; ++attempt) {
        io.clear();
        io.send(command);
        io.waitLine();
        if (io.collected().find(expected) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

bool RequestDownloadMode(const DownloadModeIo& io, bool noWait)
{
    if (!Exchange(io, "\r.SP15,20\r", "."))
        return false;
    if (noWait) {
        io.clear();
        io.send("\r.SP15,21\r");
        return true;
    }
    return Exchange(io, "\r.SP15,21\r", "AP15,20.");
}

} // namespace qv
