#include "traffic_log.h"

#include <cstdio>
#include <filesystem>

namespace qv {

namespace {
constexpr const char* kLineEnd = "\r\n";
}

void TrafficLog::start(const std::string& path)
{
    if (path.empty())
        return;
    path_ = path;
    enabled_ = true;
    if (FILE* f = std::fopen(path_.c_str(), "wb")) {
        std::fputs(kHeader, f);
        std::fputs(kLineEnd, f);
        std::fclose(f);
    }
}

void TrafficLog::append(const std::string& text)
{
    if (!enabled_)
        return;
    std::error_code ec;
    if (!std::filesystem::exists(path_, ec))
        return;
    if (FILE* f = std::fopen(path_.c_str(), "ab")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

void TrafficLog::byte(Direction direction, uint8_t value)
{
    if (!enabled_)
        return;
    std::string text;
    if (direction != direction_ || count_ > kBytesPerLine - 1) {
        text += kLineEnd;
        text += direction == Direction::Tx ? "Tx: " : "Rx: ";
        direction_ = direction;
        count_ = 0;
    }
    if (count_ != 0)
        text += ",";
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", value);
    text += hex;
    ++count_;
    append(text);
}

void TrafficLog::named(const std::string& name)
{
    if (!enabled_)
        return;
    append(kLineEnd + name + kLineEnd);
}

} // namespace qv
