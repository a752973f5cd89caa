#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

// What the PC tells about itself; a figure it did not give stays unset.
struct PcFacts {
    std::string system;                  // the platform's name and version
    std::optional<double> cpuMhz;        // processor clock
    std::string computerName;
    std::string userName;
    bool networked = false;              // a network interface other than loopback is up
    std::optional<int64_t> uptimeSeconds;
    std::optional<int64_t> totalMemoryKb;
    std::optional<int64_t> availableMemoryKb;
};

// /proc/meminfo: MemTotal and MemAvailable in kB (MemFree when the kernel
// is too old to estimate what is available).
struct MemoryFigures {
    std::optional<int64_t> totalKb;
    std::optional<int64_t> availableKb;
};
MemoryFigures ParseMemInfo(std::string_view text);

// /proc/uptime: the first figure, whole seconds.
std::optional<int64_t> ParseUptime(std::string_view text);

// /proc/cpuinfo: the clock the kernel measured for the first processor
// ("cpu MHz"); nothing when it does not say.
std::optional<double> ParseCpuMhz(std::string_view text);

// A kernel release such as "6.1.0-13-amd64": its first three numbers
// (major, minor, build), missing ones 0.
struct ReleaseNumbers {
    int major = 0;
    int minor = 0;
    int build = 0;
};
ReleaseNumbers ParseRelease(std::string_view release);

} // namespace qv
