#include "io_flash.h"
#include "io_records.h"

#include <algorithm>

namespace qv::sim {

namespace {

constexpr size_t kReadHeaderBytes = 5;
constexpr size_t kWriteHeaderBytes = 7;

unsigned Word(const std::vector<uint8_t>& bytes, size_t at)
{
    return unsigned(bytes[at]) << 8 | bytes[at + 1];
}

} // namespace

IoFlashTransfer::IoFlashTransfer(Direction direction, Instrument& instrument, const IoModuleOptions& options,
                                 int64_t timeUs)
    : direction_(direction),
      instrument_(instrument),
      options_(options),
      lastByteUs_(timeUs),
      damagedLeft_(options.flashDamagedTimes)
{
}

void IoFlashTransfer::begin(std::vector<uint8_t>& out) const
{
    out.push_back(kNext);
    if (direction_ == Direction::Write)
        out.insert(out.end(), {uint8_t(kBlockCapacity >> 8), uint8_t(kBlockCapacity & 0xFF)});
}

bool IoFlashTransfer::receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out)
{
    lastByteUs_ = timeUs;
    if (stopped_)
        return true;
    if (direction_ == Direction::Read && started_)
        return receiveAcknowledgement(byte, out);
    buffer_.push_back(byte);
    if (direction_ == Direction::Read)
        return receiveReadHeader(out);
    return started_ ? receiveWriteBlock(out) : receiveWriteHeader(out);
}

bool IoFlashTransfer::finish(std::vector<uint8_t>& out) const
{
    if (!options_.flashNoEnd)
        out.push_back(kEnd);
    return false;
}

bool IoFlashTransfer::damagedNow()
{
    if (index_ + 1 != size_t(options_.flashDamagedBlock) || damagedLeft_ <= 0)
        return false;
    --damagedLeft_;
    return true;
}

bool IoFlashTransfer::startRange()
{
    sector_ = Word(buffer_, 1);
    sectors_ = Word(buffer_, 3);
    buffer_.clear();
    started_ = true;
    return sectors_ > 0;
}

bool IoFlashTransfer::receiveReadHeader(std::vector<uint8_t>& out)
{
    if (buffer_.size() < kReadHeaderBytes)
        return true;
    if (buffer_[0] != kNext)
        return false;
    if (!startRange())
        return finish(out);
    sendBlock(out);
    return true;
}

bool IoFlashTransfer::receiveAcknowledgement(uint8_t byte, std::vector<uint8_t>& out)
{
    if (byte == kNext) {
        if (++index_ == sectors_)
            return finish(out);
    } else if (byte != kSendAgain) {
        // No acknowledgement: the host has moved on.
        return false;
    }
    sendBlock(out);
    return true;
}

void IoFlashTransfer::sendBlock(std::vector<uint8_t>& out)
{
    ++blocks_;
    const std::vector<uint8_t> data = instrument_.peek(uint32_t((sector_ + index_) * kSectorBytes), kSectorBytes);
    if (stopsNow()) {
        stopped_ = true;
        out.insert(out.end(), data.begin(), data.begin() + kSectorBytes / 2);
        return;
    }
    uint8_t checksum = ioChecksum(data.data(), data.size());
    if (damagedNow())
        checksum = uint8_t(checksum + 1);
    out.insert(out.end(), data.begin(), data.end());
    out.push_back(checksum);
}

bool IoFlashTransfer::receiveWriteHeader(std::vector<uint8_t>& out)
{
    if (buffer_.size() < kWriteHeaderBytes)
        return true;
    payload_ = Word(buffer_, 5);
    if (buffer_[0] != kWriteMark || payload_ == 0 || payload_ + 1 > kBlockCapacity)
        return false;
    if (!startRange())
        return finish(out);
    out.push_back(kNext);
    return true;
}

bool IoFlashTransfer::receiveWriteBlock(std::vector<uint8_t>& out)
{
    if (buffer_.size() < 1 + payload_)
        return true;
    ++blocks_;
    if (stopsNow()) {
        stopped_ = true;
        return true;
    }
    const uint8_t* data = buffer_.data() + 1;
    const bool intact = !damagedNow() && ioChecksum(data, payload_) == buffer_[0];
    if (!intact) {
        buffer_.clear();
        out.push_back(kSendAgain);
        return true;
    }
    // The last block's bytes past the sectors the header named are not written.
    const size_t total = sectors_ * kSectorBytes;
    const size_t n = std::min(payload_, total - written_);
    instrument_.poke(uint32_t(sector_ * kSectorBytes + written_), std::vector<uint8_t>(data, data + n));
    written_ += n;
    ++index_;
    buffer_.clear();
    if (written_ == total)
        return finish(out);
    out.push_back(kNext);
    return true;
}

} // namespace qv::sim
