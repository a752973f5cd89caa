#pragma once

#include <string>

namespace qv {

// Result codes of the I/O-interface operations; the caller picks the message.
inline constexpr int ATCMD_OK = 512;
inline constexpr int ATCMD_UNKNOWN = 513;
inline constexpr int ATCMD_TIMEOUT = 514;
inline constexpr int ATCMD_WRONG = 515;

inline constexpr int IOSTAT_OK = 768;
inline constexpr int IOSTAT_ERROR_TIMEOUT = 769;
inline constexpr int IOSTAT_ERROR_CRC = 770;
inline constexpr int IOSTAT_ERROR_DATACOUNT = 771;
inline constexpr int IOSTAT_ERROR_MISMATCH = 773;
inline constexpr int IOSTAT_UNSUPPORTED_METER = 774;

// EraseIoFlash.
inline constexpr int kIoFlashErased = 1024;
inline constexpr int kIoFlashEraseNoReply = 1025;
inline constexpr int kIoFlashEraseWrongReply = 1026;

// The message for 512 to 515; "" for any other code.
std::string AtResultText(int code);

} // namespace qv
