// The instrument's binary commands: what it does with a command byte while
// listening, and with the parameters that follow.
#include "instrument.h"

#include "default_memory.h"
#include "wire_codes.h"

namespace qv::sim {

void Instrument::handleCommand(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out)
{
    parameterCount_ = 0;
    switch (byte) {
    case kSetAddress:
        state_ = State::Address;
        break;
    case kWriteBlock:
        state_ = State::WriteCount;
        break;
    case kToggleProtect:
        protectFlag_ = !protectFlag_;
        break;
    case kRestart:
        send(kAck, out);
        restart(timeUs);
        return;
    case kKeyPress:
        state_ = State::KeyCode;
        break;
    case kReadBlock:
        state_ = State::ReadCount;
        break;
    case kReadProtect:
        // Answered with the flag alone: the host sends it without waiting for an acknowledgement.
        send(uint8_t(protectFlag_ ? 1 : 0), out);
        return;
    default:
        // Not a command: the host has moved on to text or a new wake-up.
        enterIdle();
        handleIdle(byte, out);
        return;
    }
    send(kAck, out);
}

void Instrument::handleParameter(uint8_t byte, std::vector<uint8_t>& out)
{
    switch (state_) {
    case State::Address:
        addressBytes_[parameterCount_++] = byte;
        if (parameterCount_ == 3) {
            address_ = uint32_t(addressBytes_[0]) | uint32_t(addressBytes_[1] & 0x3F) << 8
                | uint32_t(addressBytes_[2]) << 14;
            state_ = State::Listening;
            send(kAck, out);
        }
        break;
    case State::WriteCount:
        blockCount_ = size_t(byte) + 1; // a write sends the count minus one
        block_.clear();
        state_ = State::WriteData;
        break;
    case State::WriteData:
        block_.push_back(byte);
        if (block_.size() == blockCount_)
            state_ = State::WriteChecksum;
        break;
    case State::WriteChecksum:
        finishWrite(byte, out);
        break;
    case State::KeyCode:
        keys_.push_back(byte);
        screenChanged();
        state_ = State::Listening;
        send(kAck, out);
        break;
    case State::ReadCount:
        sendBlock(byte == 0 ? 256 : byte, out);
        break;
    default:
        break;
    }
}

void Instrument::restart(int64_t timeUs, bool downloadMode)
{
    ++restarts_;
    // The software that boots is the one in memory: new software reports its own version.
    if (const auto version = versionInMemory(memory_))
        options_.softwareVersion = *version;
    enterIdle();
    protectFlag_ = false;
    downloadMode_ = downloadMode;
    bootUntilUs_ = timeUs + int64_t(options_.bootMs) * 1000;
    // The software boots with the routing its configuration memory holds.
    live_.takeOver(memory_);
    lcdFrozen_ = false;
    screenChanged();
    // The key line decides BIOS mode at a restart; the boot loader option stays.
    if (keyLineDown_ && !options_.biosMode) {
        options_.biosMode = true;
        biosByKey_ = true;
    } else if (!keyLineDown_ && biosByKey_) {
        options_.biosMode = false;
        biosByKey_ = false;
    }
}

void Instrument::finishWrite(uint8_t checksum, std::vector<uint8_t>& out)
{
    state_ = State::Listening;
    // The download mode and the boot loader take software without the protect flag.
    const bool loading = downloadMode_ || options_.biosMode;
    if (checksum != blockChecksum(block_.data(), block_.size()) || !(protectFlag_ || loading) ||
        (options_.writeLocked && !loading)) {
        send(kNak, out);
        return;
    }
    poke(address_, block_); // the screen may show what changed
    ++blockWrites_;
    send(kAck, out);
}

void Instrument::sendBlock(size_t count, std::vector<uint8_t>& out)
{
    if (options_.biosMode) {
        // The boot loader acknowledged the command but serves no memory.
        enterIdle();
        return;
    }
    // The display draws into video memory; a read there sees what it shows.
    const LcdLayout lcd = lcdLayout();
    if (address_ < lcd.base + lcd.size() && address_ + count > lcd.base)
        refreshLcd();
    const std::vector<uint8_t> data = peek(address_, count);
    ++blockReads_;
    uint8_t checksum = blockChecksum(data.data(), data.size());
    if (options_.corruptChecksumEvery > 0 && blockReads_ % options_.corruptChecksumEvery == 0)
        checksum = uint8_t(checksum + 1);
    for (uint8_t b : data)
        send(b, out);
    send(checksum, out);
    state_ = State::Listening;
}

} // namespace qv::sim
