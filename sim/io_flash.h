#pragma once

#include "instrument.h"
#include "io_module_options.h"

#include <cstdint>
#include <vector>

namespace qv::sim {

// "@ATRDFlash" and "@ATWRFlash": the module reads or writes the mainboard
// flash (the instrument's memory) itself, in checksummed blocks.
//
// Read: the host sends "2", sector and count (high bytes first); each block
// is 128 bytes and their checksum; the host answers "2" for the next block
// or 0xF0 for the same one again; after the last one the module sends 27.
// Write: the start reply carries the block capacity; the host sends "1",
// sector, sector count and payload size, then per block a checksum byte and
// the payload; the module answers "2" for the next block, 0xF0 for the same
// one again, and 27 once every sector is written.
class IoFlashTransfer {
public:
    enum class Direction { Read, Write };

    static constexpr uint8_t kNext = '2';
    static constexpr uint8_t kSendAgain = 0xF0;
    static constexpr uint8_t kWriteMark = '1';
    static constexpr uint8_t kEnd = 27;
    static constexpr size_t kSectorBytes = 128;
    // A write block: the checksum byte and up to 1280 bytes.
    static constexpr unsigned kBlockCapacity = 1281;
    // As for JTAG: a host that has been silent this long has given up.
    static constexpr int64_t kIdleLimitUs = 1'000'000;

    IoFlashTransfer(Direction direction, Instrument& instrument, const IoModuleOptions& options, int64_t timeUs);

    // The reply to the start command.
    void begin(std::vector<uint8_t>& out) const;
    bool abandonedAt(int64_t timeUs) const { return timeUs - lastByteUs_ > kIdleLimitUs; }
    // One byte from the host. False once the transfer has ended.
    bool receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out);

    // Blocks sent (read) or received (write), those sent again included.
    int blocks() const { return blocks_; }

private:
    bool receiveReadHeader(std::vector<uint8_t>& out);
    bool receiveAcknowledgement(uint8_t byte, std::vector<uint8_t>& out);
    void sendBlock(std::vector<uint8_t>& out);
    bool receiveWriteHeader(std::vector<uint8_t>& out);
    bool receiveWriteBlock(std::vector<uint8_t>& out);
    // Sector and count from the header; true when there is something to move.
    bool startRange();
    // The end of a transfer that went through.
    bool finish(std::vector<uint8_t>& out) const;
    // The fault options for the block being moved now.
    bool damagedNow();
    bool stopsNow() const { return index_ + 1 == size_t(options_.flashStopAtBlock); }

    Direction direction_;
    Instrument& instrument_;
    const IoModuleOptions& options_;
    int64_t lastByteUs_;
    std::vector<uint8_t> buffer_; // header or block as it arrives
    bool started_ = false;        // the header has come
    bool stopped_ = false;        // the fault: the module answers no more
    uint32_t sector_ = 0;
    size_t sectors_ = 0;          // to read, or to write
    size_t payload_ = 0;          // write block size
    size_t index_ = 0;            // block being moved, from 0
    size_t written_ = 0;          // bytes written so far
    int damagedLeft_;
    int blocks_ = 0;
};

} // namespace qv::sim
