#pragma once

#include "io_module_options.h"
#include "jtag_chain.h"
#include "xsvf_player.h"

#include <cstdint>
#include <vector>

namespace qv::sim {

// "@ATJTAG": the host streams an XSVF image in blocks of a checksum byte and
// 1023 bytes. The module answers each block with "2" for the next one, 0xF0
// to have it sent again when the checksum is wrong, or, once the player has
// finished, its status byte, which ends the transfer.
class IoJtagTransfer {
public:
    static constexpr size_t kPayload = 1023;
    static constexpr uint8_t kNextBlock = '2';
    static constexpr uint8_t kSendAgain = 0xF0;
    // First replies of a module that cannot play: its RUN code is not the
    // FPGA loader, or it does not run its RUN code.
    static constexpr uint8_t kNotSupported = 241;
    static constexpr uint8_t kNotRunMode = 242;
    static constexpr uint8_t kFpgaLoaderRunId = 3;
    // A host that stays silent this long has given up. Within a stream the
    // gaps are milliseconds; a host that gave up waits 1.5 s for the reply to
    // its next command before it sends another.
    static constexpr int64_t kIdleLimitUs = 1'000'000;

    IoJtagTransfer(JtagChain& chain, const IoModuleOptions& options, int64_t timeUs);

    // The host stopped sending in the middle of a block or stream.
    bool abandonedAt(int64_t timeUs) const { return timeUs - lastByteUs_ > kIdleLimitUs; }
    // One byte of a block. False once the transfer has ended.
    bool receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out);

    int blocks() const { return blocks_; }

private:
    XsvfPlayer player_;
    int damagedBlock_;
    bool neverEnds_;
    bool played_ = false; // the player has reached the image's end
    std::vector<uint8_t> block_;
    int blocks_ = 0; // blocks received, resent ones included
    int64_t lastByteUs_;
};

} // namespace qv::sim
