#include "crc32.h"

#include <zlib.h>

#include <array>
#include <istream>

namespace qv {

uint32_t CRC32(std::istream& in)
{
    std::array<char, kCrcChunkSize> chunk;
    uLong crc = crc32(0L, Z_NULL, 0);
    while (in) {
        in.read(chunk.data(), std::streamsize(chunk.size()));
        const std::streamsize n = in.gcount();
        if (n > 0)
            crc = crc32(crc, reinterpret_cast<const Bytef*>(chunk.data()), uInt(n));
    }
    return uint32_t(crc);
}

uint32_t CRC32Continue(uint32_t crc, std::span<const uint8_t> bytes)
{
    // zlib answers a null buffer with the initial value, whatever crc holds.
    if (bytes.empty())
        return crc;
    return uint32_t(crc32_z(crc, bytes.data(), bytes.size()));
}

uint32_t CRC32(std::span<const uint8_t> bytes)
{
    return CRC32Continue(0, bytes);
}

} // namespace qv
