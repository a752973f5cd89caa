#pragma once

#include "platform/host/progress.h"
#include "update_link.h"
#include "verify.h"

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
    // Verified transfers: readings of one block that may be taken to find
    // enough agreeing ones, and sweeps checking a written region.
    static constexpr int kReadingsPerBlock = 8;
    static constexpr int kCheckSweeps = 4;

    explicit UpdateTransfer(UpdateLink& link) : link_(link) {}

    // Verified, each block is read until its readings agree.
    bool ReadBlocks(uint32_t start, int blocks, uint8_t* destination, TransferBars bars = {},
                    Verify verify = Verify::No);
    // Verified, the region is read back and what differs is written again.
    bool WriteBlocks(uint32_t start, int blocks, const uint8_t* source, TransferBars bars = {},
                     Verify verify = Verify::No);

    // Reads into a buffer of blocks × 128 bytes; 27 on success, 32 on failure.
    static constexpr int kTransferComplete = 27;
    static constexpr int kTransferNoReply = 32;
    int ReadToBuffer(uint32_t start, int blocks, std::vector<uint8_t>& out, TransferBars bars = {});

private:
    bool Attempt(int attempts, const auto& operation);
    // One block with the fixed attempts of its address and its transfer.
    bool ReadOne(uint32_t address, uint8_t* block);
    bool WriteOne(uint32_t address, const uint8_t* block);

    // Shows why and returns true when the blocks leave the address space.
    bool RefusedRange(uint32_t start, int blocks);
    void Advance(TransferBars bars);

    UpdateLink& link_;
    bool lineFaulted_ = false; // an attempt of this transfer failed
};

// An overall bar's label: "99 %" above 98 % until the job sets 100 %.
std::string OverallPercentText(int64_t position, int64_t maximum);

// Moves the item bar by itemStep and the overall bar by overallStep; a
// percent text is set only when it changes.
void AdvanceBars(TransferBars bars, int64_t itemStep, int64_t overallStep);

} // namespace qv
