#include "io_results.h"

namespace qv {

std::string AtResultText(int code)
{
    switch (code) {
    case ATCMD_OK:
        return "Command executed correctly.";
    case ATCMD_UNKNOWN:
        return "Unknown responce.";
    case ATCMD_TIMEOUT:
        return "Communication Timeout.";
    case ATCMD_WRONG:
        return "Wrong responce.";
    default:
        return {};
    }
}

} // namespace qv
