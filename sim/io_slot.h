#pragma once

#include "io_module_options.h"
#include "jtag_chain.h"
#include "xsvf_player.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace qv::sim {

// An expansion module as the SPI UART reaches it: one-letter queries,
// answered with the letter and the value, and the programming of its FPGA.
// "b" starts a transfer ("b" and "1" back); the host then sends the image,
// an XSVF program for the module's own JTAG chain, in blocks of 50 bytes.
// Each block is answered with "1" for the next one, or, once the player has
// finished, with its status byte, which ends the transfer. An empty slot
// answers nothing.
class SlotModule {
public:
    static constexpr uint8_t kStart = 'b';
    static constexpr uint8_t kNextBlock = '1';
    static constexpr size_t kBlock = 50;
    // A host that stays silent this long in the middle of a transfer has
    // given up; the module listens for queries again.
    static constexpr int64_t kIdleLimitUs = 1'000'000;

    SlotModule() = default;
    SlotModule(const SlotModule&) = delete;
    SlotModule& operator=(const SlotModule&) = delete;

    void receive(const SlotModuleOptions& options, uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out);
    // Forgets a query or transfer cut short by a restart.
    void reset();

    bool programming() const { return player_ != nullptr; }
    // The module's FPGA as the last transfer left it; null before the first.
    const JtagChain* fpga() const { return chain_.get(); }
    int transfers() const { return transfers_; }
    int blocks() const { return blocks_; }

private:
    void query(const SlotModuleOptions& options, uint8_t byte, std::vector<uint8_t>& out);
    void startTransfer(const SlotModuleOptions& options, std::vector<uint8_t>& out);
    void takeBlockByte(const SlotModuleOptions& options, uint8_t byte, std::vector<uint8_t>& out);

    std::vector<uint8_t> firmwareQuery_; // "g" and its three parameter bytes
    int idQueries_ = 0;
    bool silent_ = false;
    std::unique_ptr<JtagChain> chain_;
    std::unique_ptr<XsvfPlayer> player_;
    bool played_ = false; // the player has reached the image's end
    std::vector<uint8_t> block_;
    int64_t lastByteUs_ = 0;
    int transfers_ = 0;
    int blocks_ = 0; // taken in all transfers
};

} // namespace qv::sim
