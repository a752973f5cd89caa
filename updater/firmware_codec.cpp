#include "firmware_codec.h"

#include "io_results.h"

namespace qv::fw {

namespace {

struct HexError {
    const char* code;
    int result;
    const char* text;
};

constexpr HexError kHexErrors[] = {
    {"E500", 261, "Can not decode HEX file.\r\rPlease try another file.\r\r"},
    {"E501", 262,
     "I/O Flash Erase Error.\r\rPlease disconnect the instrument from the computer,\rthen repower the instrument and "
     "try again.\r\r"},
    {"E502", 263,
     "I/O CRC Error.\r\rPlease disconnect the instrument from the computer,\rthen repower the instrument and try "
     "again.\r\r"},
    {"E503", 264,
     "I/O Address Error.\r\rPlease disconnect the instrument from the computer,\rthen repower the instrument and try "
     "again.\r\r"},
};

// The highest register value of a first stage that is too old.
constexpr int kOldLoaderRegister = 11;
constexpr int kUnsetLoaderRegister = 240;

} // namespace

int ClassifyHexReply(std::string_view reply)
{
    for (const HexError& error : kHexErrors)
        if (reply.find(error.code) != std::string_view::npos)
            return error.result;
    return ATCMD_WRONG;
}

std::string HexReplyText(int code)
{
    for (const HexError& error : kHexErrors)
        if (error.result == code)
            return error.text;
    return {};
}

bool NeedsLoaderSecondStage(int registerValue)
{
    return (registerValue >= 0 && registerValue <= kOldLoaderRegister) || registerValue == kUnsetLoaderRegister;
}

int64_t TransferSteps(size_t n, size_t block)
{
    return int64_t((n + block - 1) / block) + 1;
}

} // namespace qv::fw
