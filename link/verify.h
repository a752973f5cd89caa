#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace qv {

// Whether a block transfer reads what it moved once more. The block
// checksum misses two faults that cancel out, and nothing on the line
// covers the address bytes, so a noisy line can move a block from or to the
// wrong place without either side noticing. Only for memory that holds
// still (not the LCD) and an instrument that serves reads (not the boot
// loader).
enum class Verify { No, Yes };

// Reads blocks so that a reading from the wrong place is caught: a block is
// read until enough readings in a row agree. Two are enough on a quiet line
// for a block of varied bytes. Memory elsewhere is mostly blank, so two
// readings from the wrong place agree most easily on a block of one byte
// value; and once the line has shown a fault, such readings are no longer
// unlikely. Then three must agree.
class AgreeingReads {
public:
    // One reading with the engine's own retries; false when it gave up or
    // the user cancelled.
    using ReadOnce = std::function<bool(uint32_t address, uint8_t* block)>;

    // lineFaulted is the engine's note that an attempt failed in this
    // transfer; readings that disagree set it too. maxReadings of one
    // block, 0 for no limit.
    AgreeingReads(ReadOnce readOnce, int maxReadings, bool& lineFaulted)
        : readOnce_(std::move(readOnce)), maxReadings_(maxReadings), lineFaulted_(lineFaulted)
    {
    }

    // Fills block with what the readings agree on.
    bool Read(uint32_t address, uint8_t* block);
    // Whether the block at address holds expected; nothing when it could
    // not be read. On a quiet line one reading equal to varied bytes is
    // trusted: it could only be wrong after two faults.
    std::optional<bool> Holds(uint32_t address, const uint8_t* expected);

private:
    bool Doubtful(const uint8_t* block) const;
    int Needed(const uint8_t* block) const { return Doubtful(block) ? 3 : 2; }
    // block holds a first reading.
    bool Agree(uint32_t address, uint8_t* block);

    ReadOnce readOnce_;
    int maxReadings_;
    bool& lineFaulted_;
};

// Checks the blocks written from source and writes again those that differ.
// A block sent to the wrong place may land on one checked before, so after
// any rewrite the whole region is checked again, at most `sweeps` times (0:
// no limit). False when holds(k) cannot tell, write(k) fails or the sweeps
// run out. checked(k) follows each block of the first sweep.
struct WrittenBlocks {
    size_t blocks = 0;
    int sweeps = 0;
    std::function<std::optional<bool>(size_t k)> holds;
    std::function<bool(size_t k)> write;
    std::function<void(size_t k)> checked = [](size_t) {};
};
bool CheckWrittenBlocks(const WrittenBlocks& region);

} // namespace qv
