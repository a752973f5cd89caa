// What the firmware transfers share: their waits, their display and their checks.
#include "firmware_programmer.h"

#include "platform/host/file_io.h"

#include <cctype>

namespace qv {

std::vector<std::string> ReadHexFileLines(const std::string& path)
{
    std::vector<uint8_t> bytes;
    std::string error;
    std::vector<std::string> lines;
    if (!ReadWholeFile(path, bytes, error))
        return lines;
    std::string line;
    const auto take = [&] {
        // A blank line is nothing to send: a file of them is an empty file.
        for (char c : line) {
            if (!std::isspace(static_cast<unsigned char>(c))) {
                lines.push_back(line);
                break;
            }
        }
        line.clear();
    };
    for (uint8_t byte : bytes) {
        if (byte == '\r' || byte == '\n')
            take();
        else
            line += char(byte);
    }
    take();
    return lines;
}

FirmwareProgrammer::FirmwareProgrammer(IoInterface& io) : io_(io), channel_(io.channel()) {}

FirmwareProgrammer::Reply FirmwareProgrammer::WaitReply(int polls)
{
    for (int poll = 0; poll < polls; ++poll) {
        if (channel_.cancel)
            return Reply::Canceled;
        if (!channel_.accumulator.empty())
            return Reply::Received;
        if (!channel_.port().isOpen())
            return Reply::Stopped;
        channel_.Poll();
    }
    if (channel_.cancel)
        return Reply::Canceled;
    return channel_.accumulator.empty() ? Reply::Stopped : Reply::Received;
}

void FirmwareProgrammer::Pause(int ms)
{
    for (int waited = 0; waited < ms; waited += UpdateChannel::kPollMs)
        channel_.Poll();
}

int FirmwareProgrammer::ExchangeBlock(const uint8_t* data, size_t n, uint8_t& reply)
{
    channel_.ClearRx();
    if (!channel_.port().write(data, n))
        return kTransferStopped;
    switch (WaitReply(kTransferReplyPolls)) {
    case Reply::Received:
        reply = uint8_t(channel_.accumulator[0]);
        return 0;
    case Reply::Canceled:
        return kTransferCanceled;
    case Reply::Stopped:
        break;
    }
    return kTransferStopped;
}

int FirmwareProgrammer::EndTransfer(uint8_t status, FirmwareDisplay display)
{
    lastReply_ = status;
    AdvanceBars({display.bars.item, nullptr}, 1, 0);
    if (display.bars.item)
        display.bars.item->setText("100 %");
    return status;
}

int FirmwareProgrammer::TransferPreconditions() const
{
    // Only the FPGA loader plays images, and only while it runs.
    if (io_.status.runId != kLoaderRunId)
        return XSVF_NOT_SUPPORTED;
    if (io_.status.systemMode != at::kSystemModeRun)
        return XSVF_NOT_RUNMODE;
    return XSVF_SUCCESS;
}

} // namespace qv
