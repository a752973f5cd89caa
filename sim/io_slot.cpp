#include "io_slot.h"

namespace qv::sim {

namespace {

constexpr size_t kFirmwareQueryLength = 4;
// The longest register shift the module's player holds.
constexpr size_t kMaxVectorBytes = 8192;

} // namespace

void SlotModule::reset()
{
    firmwareQuery_.clear();
    player_.reset();
    block_.clear();
}

void SlotModule::receive(const SlotModuleOptions& options, uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out)
{
    if (options.moduleId == 0 || silent_)
        return;
    if (player_ && timeUs - lastByteUs_ > kIdleLimitUs) {
        player_.reset();
        block_.clear();
    }
    lastByteUs_ = timeUs;
    if (player_)
        takeBlockByte(options, byte, out);
    else
        query(options, byte, out);
}

void SlotModule::query(const SlotModuleOptions& options, uint8_t byte, std::vector<uint8_t>& out)
{
    if (!firmwareQuery_.empty()) {
        firmwareQuery_.push_back(byte);
        if (firmwareQuery_.size() == kFirmwareQueryLength) {
            // The query comes back with the version after it.
            out.insert(out.end(), firmwareQuery_.begin(), firmwareQuery_.end());
            out.push_back(options.firmwareVersion);
            firmwareQuery_.clear();
        }
        return;
    }
    switch (byte) {
    case 'c': {
        const bool swapped = options.swappedId != 0 && ++idQueries_ > options.queriesBeforeSwap;
        out.insert(out.end(), {byte, swapped ? options.swappedId : options.moduleId});
        break;
    }
    case 'e':
        out.insert(out.end(), {byte, options.softwareVersion});
        break;
    case 'j':
        out.insert(out.end(), {byte, options.temperature});
        break;
    case 'g':
        firmwareQuery_.push_back(byte);
        break;
    case kStart:
        startTransfer(options, out);
        break;
    default:
        break;
    }
}

void SlotModule::startTransfer(const SlotModuleOptions& options, std::vector<uint8_t>& out)
{
    // Each transfer starts from a fresh chain: the module reloads its FPGA.
    chain_ = std::make_unique<JtagChain>(options.fpgaIdcode);
    player_ = std::make_unique<XsvfPlayer>(*chain_, kMaxVectorBytes);
    block_.clear();
    played_ = false;
    ++transfers_;
    out.insert(out.end(), {kStart, kNextBlock});
}

void SlotModule::takeBlockByte(const SlotModuleOptions& options, uint8_t byte, std::vector<uint8_t>& out)
{
    block_.push_back(byte);
    if (block_.size() < kBlock)
        return;
    ++blocks_;
    if (!played_)
        played_ = player_->feed(block_);
    block_.clear();
    const bool finished = played_ && !options.neverEnds;
    if (options.silentAfterBlocks > 0 && blocks_ >= options.silentAfterBlocks) {
        silent_ = true;
        return;
    }
    out.push_back(finished ? player_->status() : kNextBlock);
    if (finished)
        player_.reset();
}

} // namespace qv::sim
