#pragma once

#include <cstdint>
#include <string>

namespace qv {

// QV-Matrix's hexadecimal serial traffic log. Every entry opens the file for
// appending and closes it again, so the log survives a crash; write errors
// never disturb the communication.
class TrafficLog {
public:
    enum class Direction { None, Tx, Rx };

    // Creates the file anew with its header line and switches logging on.
    // An empty path leaves logging off.
    void start(const std::string& path);
    bool enabled() const { return enabled_; }
    const std::string& path() const { return path_; }

    void byte(Direction direction, uint8_t value);
    // An operation name on a line of its own; direction and count stay.
    void named(const std::string& name);

    static constexpr const char* kHeader = "DU-Ririd RS232 log file";
    static constexpr int kBytesPerLine = 16;

private:
    void append(const std::string& text);

    std::string path_;
    bool enabled_ = false;
    Direction direction_ = Direction::None;
    int count_ = 0;
};

} // namespace qv
