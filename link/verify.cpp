#include "verify.h"

#include "wire_protocol.h"

#include <algorithm>
#include <array>

namespace qv {

bool AgreeingReads::Read(uint32_t address, uint8_t* block)
{
    return readOnce_(address, block) && Agree(address, block);
}

bool AgreeingReads::Doubtful(const uint8_t* block) const
{
    return lineFaulted_ || std::all_of(block, block + wire::kBlockSize, [&](uint8_t b) { return b == block[0]; });
}

std::optional<bool> AgreeingReads::Holds(uint32_t address, const uint8_t* expected)
{
    std::array<uint8_t, wire::kBlockSize> held{};
    if (!readOnce_(address, held.data()))
        return std::nullopt;
    const bool same = std::equal(held.begin(), held.end(), expected);
    if (same && !Doubtful(expected))
        return true;
    if (!Agree(address, held.data()))
        return std::nullopt;
    return std::equal(held.begin(), held.end(), expected);
}

bool AgreeingReads::Agree(uint32_t address, uint8_t* block)
{
    std::array<uint8_t, wire::kBlockSize> again{};
    int inARow = 1;
    for (int reading = 1; inARow < Needed(block); ++reading) {
        if (maxReadings_ > 0 && reading >= maxReadings_)
            return false;
        if (!readOnce_(address, again.data()))
            return false;
        if (std::equal(again.begin(), again.end(), block)) {
            ++inARow;
        } else {
            std::copy(again.begin(), again.end(), block);
            inARow = 1;
            lineFaulted_ = true;
        }
    }
    return true;
}

bool CheckWrittenBlocks(const WrittenBlocks& region)
{
    for (int sweep = 0; region.sweeps == 0 || sweep < region.sweeps; ++sweep) {
        bool rewritten = false;
        for (size_t k = 0; k < region.blocks; ++k) {
            const std::optional<bool> held = region.holds(k);
            if (!held)
                return false;
            if (!*held) {
                if (!region.write(k))
                    return false;
                rewritten = true;
            }
            if (sweep == 0)
                region.checked(k);
        }
        if (!rewritten)
            return true;
    }
    return false;
}

} // namespace qv
