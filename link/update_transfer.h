#pragma once

#include "platform/host/progress.h"
#include "update_link.h"

#include <cstdint>
#include <vector>

namespace qv {

// QV-Update's block transfers with their fixed attempts. Progress bars are
// optional; their text is the percent label beside the bar.
struct TransferBars {
    Progress* item = nullptr;
    Progress* overall = nullptr;
};

class UpdateTransfer {
public:
    static constexpr int kReadAddressAttempts = 6;
    static constexpr int kReadBlockAttempts = 6;
    static constexpr int kWriteAddressAttempts = 26;
    static constexpr int kWriteBlockAttempts = 26;

    explicit UpdateTransfer(UpdateLink& link) : link_(link) {}

    bool ReadBlocks(uint32_t start, int blocks, uint8_t* destination, TransferBars bars = {});
    bool WriteBlocks(uint32_t start, int blocks, const uint8_t* source, TransferBars bars = {});

    // Reads into a buffer of blocks × 128 bytes; 27 on success, 32 on failure.
    static constexpr int kTransferComplete = 27;
    static constexpr int kTransferNoReply = 32;
    int ReadToBuffer(uint32_t start, int blocks, std::vector<uint8_t>& out, TransferBars bars = {});

private:
    bool Attempt(int attempts, const auto& operation);
    // Shows why and returns true when the blocks leave the address space.
    bool RefusedRange(uint32_t start, int blocks);
    void Advance(TransferBars bars);

    UpdateLink& link_;
};

// An overall bar's label: "99 %" above 98 % until the job sets 100 %.
std::string OverallPercentText(int64_t position, int64_t maximum);

// Moves the item bar by itemStep and the overall bar by overallStep; a
// percent text is set only when it changes.
void AdvanceBars(TransferBars bars, int64_t itemStep, int64_t overallStep);

} // namespace qv
