#pragma once

#include "link/matrix_transfer.h"
#include "platform/host/prompter.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

class ConfigImage;

// Live writes into the instrument's configuration memory during remote
// control: the 128-byte block that holds the address is read, changed and
// written back. A block that cannot be read is reported as "BDMA Error".
class RemoteMemory {
public:
    // A write the instrument does not acknowledge is repeated this often,
    // 29 ms apart, before it counts as failed: a silent instrument must not
    // hold the program for ever.
    static constexpr int kWriteAttempts = 10;
    static constexpr int kWriteRepeatMs = 29;
    static constexpr int kAfterWriteMs = 100;

    RemoteMemory(MatrixTransfer& transfer, Prompter& prompter) : transfer_(transfer), prompter_(prompter) {}

    // Stores text at an instrument address in pair-reversed order (character
    // k at address + (k XOR 1)). True only when the instrument took the block.
    bool writeBlockText(uint32_t address, const std::string& text);
    // Writes the options block of the image's selected preset as a whole.
    bool writeOptionsBlock(const ConfigImage& image);
    // Puts bytes (offset within the block, value) into the block at
    // blockAddress and writes it back.
    bool patchBlock(uint32_t blockAddress, const std::vector<std::pair<int, uint8_t>>& bytes);

private:
    // change gets the block and the address's offset within it.
    bool writeBlock(uint32_t address, const std::function<void(uint8_t* block, size_t offset)>& change);

    MatrixTransfer& transfer_;
    Prompter& prompter_;
};

} // namespace qv
