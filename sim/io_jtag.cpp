#include "io_jtag.h"
#include "io_records.h"

namespace qv::sim {

IoJtagTransfer::IoJtagTransfer(JtagChain& chain, const IoModuleOptions& options, int64_t timeUs)
    : player_(chain, options.jtagMaxVectorBytes), damagedBlock_(options.jtagDamagedBlock),
      neverEnds_(options.jtagNeverEnds), lastByteUs_(timeUs)
{
    block_.reserve(1 + kPayload);
}

bool IoJtagTransfer::receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out)
{
    lastByteUs_ = timeUs;
    block_.push_back(byte);
    if (block_.size() < 1 + kPayload)
        return true;
    ++blocks_;
    const std::span<const uint8_t> payload(block_.begin() + 1, block_.end());
    const bool damaged = blocks_ == damagedBlock_;
    if (damaged || ioChecksum(payload.data(), payload.size()) != block_[0]) {
        block_.clear();
        out.push_back(kSendAgain);
        return true;
    }
    if (!played_)
        played_ = player_.feed(payload);
    block_.clear();
    const bool finished = played_ && !neverEnds_;
    out.push_back(finished ? player_.status() : kNextBlock);
    return !finished;
}

} // namespace qv::sim
