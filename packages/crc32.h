#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <span>

namespace qv {

// Streams are read in chunks of this size.
inline constexpr size_t kCrcChunkSize = 8192;

// CRC-32 as zlib computes it, of the stream from its current position to its
// end. A read error ends the sum early: callers that care test in.bad().
uint32_t CRC32(std::istream& in);

// The same over bytes held in memory.
uint32_t CRC32(std::span<const uint8_t> bytes);

// Continues a CRC over further bytes: CRC32(a + b) == CRC32Continue(CRC32(a), b).
uint32_t CRC32Continue(uint32_t crc, std::span<const uint8_t> bytes);

} // namespace qv
