#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace qv {

// A local copy of what was last written to each 128-byte block of the
// instrument's first 256 KiB, so unchanged blocks of a software download
// can be skipped on the slow line.
class FlashMirror {
public:
    static constexpr int kRecords = 2048;
    static constexpr int kRecordSize = 128;

    // Opens the file, creating it filled with 0xFF when missing.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return file_.is_open(); }

    // True when record r already holds the block. Blocks outside the mirror
    // are never "same".
    bool same(uint32_t record, const uint8_t* block);
    // Record r now holds the block: call it only once the instrument has
    // acknowledged the block, or a later download skips a block it never took.
    void store(uint32_t record, const uint8_t* block);

private:
    std::fstream file_;
};

} // namespace qv
