// "@ATRDFlash" and "@ATWRFlash": the module moves the mainboard flash itself.
#include "flash_transfer.h"

#include "link/wire_protocol.h"

#include <algorithm>

namespace qv {

FlashTransfer::FlashTransfer(IoInterface& io) : io_(io), channel_(io.channel()) {}

uint8_t FlashTransfer::firstReceivedByte() const
{
    return channel_.accumulator.empty() ? 0 : uint8_t(channel_.accumulator[0]);
}

int FlashTransfer::Refusal() const
{
    if (io_.status.runId != flash::kRunIdWithFlash)
        return flash::kNotSupported;
    if (io_.status.systemMode != at::kSystemModeRun)
        return flash::kNotRunMode;
    return 0;
}

bool FlashTransfer::Send(std::string_view bytes)
{
    channel_.ClearRx();
    return channel_.port().write(bytes);
}

void FlashTransfer::Settle()
{
    for (int waited = 0; waited < kSettleMs && !channel_.aborted(); waited += UpdateChannel::kPollMs)
        channel_.Poll();
}

bool FlashTransfer::Start(std::string_view command, int polls, size_t bytes)
{
    Send(command);
    return channel_.WaitBytes(polls, bytes) && uint8_t(channel_.accumulator[0]) == flash::kNext;
}

bool FlashTransfer::WaitStream(size_t bytes, int silenceMs)
{
    Clock& clock = channel_.host().clock;
    size_t seen = channel_.accumulator.size();
    int64_t lastByteMs = clock.nowMs();
    for (;;) {
        channel_.host().pump.pump();
        if (channel_.aborted() || !channel_.port().isOpen())
            return false;
        const size_t have = channel_.accumulator.size();
        if (have >= bytes)
            return true;
        const int64_t now = clock.nowMs();
        if (have != seen) {
            seen = have;
            lastByteMs = now;
        } else if (now - lastByteMs >= silenceMs) {
            return false;
        }
        clock.sleepMs(kStreamPollMs);
    }
}

int FlashTransfer::ReadFlashFast(uint32_t address, size_t count, std::vector<uint8_t>& stream, StatusPanel* status,
                                 Progress* bar)
{
    io_.SetIoMode(true);
    if (status)
        status->setText("FLASH Reading in progress...");
    if (const int refused = Refusal())
        return refused;
    const auto range = flash::FitSectors(address, count);
    if (!range)
        return flash::kSectorOutOfRange;
    if (!Start(flash::kReadCommand, kStartReadPolls, 1))
        return flash::kNotSupported;
    if (bar) {
        bar->setMaximum(int64_t(count) + 1);
        bar->setPosition(0);
    }
    channel_.rxMode = RxMode::Raw;
    Send(flash::ReadHeader(*range));
    const int result = ReadBlocks(count, stream, bar);
    Settle();
    channel_.rxMode = RxMode::AtLines;
    return result;
}

int FlashTransfer::ReadBlocks(size_t count, std::vector<uint8_t>& stream, Progress* bar)
{
    int silenceMs = kFirstReplyMs;
    int resends = 0;
    for (size_t accepted = 0; accepted < count;) {
        if (!WaitStream(flash::kReadBlockBytes, silenceMs))
            return flash::kNoReply;
        silenceMs = kBlockReplyMs;
        const std::string_view block(channel_.accumulator.data(), flash::kReadBlockBytes);
        uint8_t answer = flash::kNext;
        if (flash::ReadBlockIntact(block)) {
            stream.insert(stream.end(), block.begin(), block.begin() + flash::kSectorBytes);
            ++accepted;
            resends = 0;
            AdvanceBars({bar, overall_}, 1, int64_t(flash::kSectorBytes));
        } else if (++resends > kResendLimit) {
            return flash::kChecksumError;
        } else {
            answer = flash::kSendAgain;
        }
        Send(std::string(1, char(answer)));
    }
    // The module confirms the end with one more byte.
    if (!WaitStream(1, kBlockReplyMs))
        return flash::kNoEnd;
    return firstReceivedByte();
}

int FlashTransfer::WriteFlashFast(const std::vector<uint8_t>& image, uint32_t address, StatusPanel* status,
                                  Progress* bar, StatusPanel* percent)
{
    io_.SetIoMode(true);
    if (status)
        status->setText("FLASH Programming in progress...");
    if (const int refused = Refusal())
        return refused;
    const auto range = flash::FitSectors(address, flash::SectorsFor(image.size()));
    if (!range)
        return flash::kSectorOutOfRange;
    if (!Start(flash::kWriteCommand, kStartWritePolls, 3))
        return flash::kNotSupported;
    if (bar) {
        bar->setMaximum(int64_t(flash::WriteBlocksFor(image.size(), flash::BlockCapacity(channel_.accumulator))) + 1);
        bar->setPosition(0);
    }
    channel_.rxMode = RxMode::Raw;
    Send(flash::WriteHeader(*range));
    const int result = WriteBlocks(image, bar, percent);
    // A module still waiting for a block would take the next command for one.
    if (result != flash::kDone)
        Settle();
    channel_.rxMode = RxMode::AtLines;
    // A full bar and "100 %" only for a flash that was written.
    if (result == flash::kDone) {
        if (bar)
            bar->setPosition(bar->maximum());
        if (percent)
            percent->setText("100 %");
    }
    return result;
}

int FlashTransfer::WriteBlocks(const std::vector<uint8_t>& image, Progress* bar, StatusPanel* percent)
{
    const auto reply = [this](int silenceMs) { return WaitStream(1, silenceMs) ? firstReceivedByte() : flash::kNoReply; };
    const size_t blocks = flash::WriteBlocksFor(image.size(), 0);
    size_t next = 0;
    int resends = 0;
    std::string packet; // checksum byte and payload
    int c = reply(kFirstReplyMs);
    while (c == flash::kNext || c == flash::kSendAgain) {
        if (c == flash::kNext) {
            // The module asks for more than the image holds: an answer we do not know.
            if (next >= blocks)
                break;
            const size_t first = next * flash::kWritePayload;
            const std::vector<uint8_t> block = flash::WriteBlock(image, next++);
            AdvanceBars({nullptr, overall_}, 0, int64_t(std::min(flash::kWritePayload, image.size() - first)));
            packet.assign(1, char(wire::Checksum55(block.data(), block.size())));
            packet.append(block.begin(), block.end());
            resends = 0;
            if (bar) {
                bar->advance(1);
                if (percent)
                    percent->setText(bar->percent());
            }
        } else if (packet.empty() || ++resends > kResendLimit) {
            return flash::kChecksumError;
        }
        Send(packet);
        c = reply(kBlockReplyMs);
    }
    return c;
}

} // namespace qv
