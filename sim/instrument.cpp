#include "instrument.h"

#include "default_memory.h"
#include "text_protocol.h"
#include "wire_codes.h"

namespace qv::sim {

namespace {

// Longer text is noise; the instrument keeps only the start of a line.
constexpr size_t kMaxTextLine = 256;

} // namespace

Instrument::Instrument(InstrumentOptions options) : options_(options), memory_(defaultMemory(options_))
{
    live_.takeOver(memory_);
}

void Instrument::receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out)
{
    if (options_.noAnswer || bootingAt(timeUs))
        return;
    const bool waitingForParameter = state_ != State::Idle && state_ != State::Listening;
    if (waitingForParameter && timeUs - lastByteUs_ > int64_t(options_.commandTimeoutMs) * 1000)
        enterIdle();
    lastByteUs_ = timeUs;

    switch (state_) {
    case State::Idle:
        handleIdle(byte, out);
        break;
    case State::Listening:
        handleCommand(byte, timeUs, out);
        break;
    default:
        handleParameter(byte, out);
        break;
    }
}

void Instrument::enterIdle()
{
    state_ = State::Idle;
    textLine_.clear();
    afterWakeUp1_ = false;
}

void Instrument::handleIdle(uint8_t byte, std::vector<uint8_t>& out)
{
    if (handleDisplayEscape(byte)) {
        afterWakeUp1_ = false;
        return;
    }
    if (afterWakeUp1_ && byte == kWakeUp2) {
        enterIdle();
        state_ = State::Listening;
        send(kAck, out);
        return;
    }
    afterWakeUp1_ = byte == kWakeUp1;
    if (byte == '\r')
        endTextLine(out);
    else if (byte != '\n' && textLine_.size() < kMaxTextLine)
        textLine_ += char(byte);
}

void Instrument::endTextLine(std::vector<uint8_t>& out)
{
    std::string line;
    line.swap(textLine_);
    if (line.empty() || line[0] != '.')
        return;
    textLines_.push_back(line);
    // The boot loader knows no text, and older software ignores it.
    if (options_.biosMode || !options_.answersText || downloadMode_)
        return;
    if (const auto command = parseDotCommand(line)) {
        send(dotReply(*command, options_, live_, memory_), out);
        screenChanged();
        if (const auto frozen = freezesScreen(*command))
            freezeLcd(*frozen);
        if (entersDownloadMode(*command))
            restart(lastByteUs_, true);
    }
}

void Instrument::send(uint8_t byte, std::vector<uint8_t>& out)
{
    ++bytesSent_;
    if (options_.dropByteEvery > 0 && bytesSent_ % uint64_t(options_.dropByteEvery) == 0)
        return;
    out.push_back(byte);
}

void Instrument::send(const std::string& text, std::vector<uint8_t>& out)
{
    for (char c : text)
        send(uint8_t(c), out);
}

uint8_t Instrument::peek(uint32_t address) const
{
    return memory_[address & kAddressMask];
}

std::vector<uint8_t> Instrument::peek(uint32_t address, size_t count) const
{
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i)
        bytes[i] = memory_[(address + i) & kAddressMask];
    return bytes;
}

void Instrument::poke(uint32_t address, const std::vector<uint8_t>& bytes)
{
    for (size_t i = 0; i < bytes.size(); ++i)
        memory_[(address + i) & kAddressMask] = bytes[i];
    screenChanged();
}

} // namespace qv::sim
