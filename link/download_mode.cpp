#include "download_mode.h"

namespace qv {

namespace {

bool Exchange(const DownloadModeIo& io, const char* command, const char* expected, bool wait)
{
    for (int attempt = 0; attempt < kDownloadModeAttempts; ++attempt) {
        io.clear();
        io.send(command);
        if (!wait)
            return false;
        io.waitLine();
        if (io.collected().find(expected) != std::string::npos)
            return true;
    }
    return false;
}

} // namespace

bool RequestDownloadMode(const DownloadModeIo& io, bool noWait)
{
    if (!Exchange(io, "\r.SP15,20\r", ".", true))
        return false;
    return Exchange(io, "\r.SP15,21\r", "AP15,20.", !noWait);
}

} // namespace qv
