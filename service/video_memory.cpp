#include "video_memory.h"

#include "platform/host/event_pump.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace qv {

std::array<uint8_t, kLcdGroupWidth> DecodeRow(uint8_t b0, uint8_t b1, uint8_t b2)
{
    const uint32_t value = uint32_t(b0) << 16 | uint32_t(b1) << 8 | b2;
    std::array<uint8_t, kLcdGroupWidth> pixels{};
    // Field 0, the least significant, is the rightmost pixel.
    for (int field = 0; field < kLcdGroupWidth; ++field)
        pixels[size_t(kLcdGroupWidth - 1 - field)] = uint8_t((value >> (3 * field)) & 7);
    return pixels;
}

LcdPicture DecodeVideoMemory(std::span<const uint8_t> buffer, uint32_t stride, EventPump& pump)
{
    LcdPicture picture;
    for (int g = 0; g < kLcdGroups; ++g) {
        for (int r = 0; r < kLcdHeight; ++r) {
            const size_t at = size_t(g) * stride + size_t(kLcdRowBytes * r);
            if (at + kLcdRowBytes > buffer.size())
                break;
            const auto pixels = DecodeRow(buffer[at], buffer[at + 1], buffer[at + 2]);
            for (int i = 0; i < kLcdGroupWidth; ++i)
                picture.set(g * kLcdGroupWidth + i, r, pixels[size_t(i)]);
        }
        pump.pump();
    }
    return picture;
}

bool ReadVideoFile(const std::string& path, VideoBuffer& buffer, std::string& error)
{
    buffer.fill(0);
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = std::strerror(EISDIR);
        return false;
    }
    errno = 0;
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        error = std::strerror(errno != 0 ? errno : ENOENT);
        return false;
    }
    // A short file fills only the start.
    if (std::fread(buffer.data(), 1, buffer.size(), file.get()) < buffer.size() && std::ferror(file.get())) {
        error = std::strerror(errno != 0 ? errno : EIO);
        buffer.fill(0);
        return false;
    }
    return true;
}

} // namespace qv
