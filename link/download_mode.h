#pragma once

#include <functional>
#include <string>

namespace qv {

// The text exchange that asks running software to restart into download
// mode, as both programs run it on their own channels.
struct DownloadModeIo {
    std::function<void()> clear;                   // both queues and the collected text
    std::function<void(const std::string&)> send;
    std::function<void()> waitLine;                // about a second
    std::function<std::string()> collected;
};

inline constexpr int kDownloadModeAttempts = 5;

// "\r.SP15,20\r" until a reply holds ".", then "\r.SP15,21\r" until a reply
// holds "AP15,20."; without waiting the second request is sent once.
// True when the instrument confirmed; without waiting, when it confirmed
// the first request and the second went out.
bool RequestDownloadMode(const DownloadModeIo& io, bool noWait);

} // namespace qv
