#include "dot_receiver.h"

namespace qv {

DotReceiver::DotReceiver(MatrixChannel& channel) : channel_(channel)
{
    channel_.lineHandler = [this](const std::string& line) { lineReceived(line); };
}

DotReceiver::~DotReceiver()
{
    channel_.lineHandler = nullptr;
}

void DotReceiver::endChannelCollecting()
{
    // What the channel collected for the identity query is stale by now.
    if (channel_.collectOnly) {
        channel_.collectOnly = false;
        channel_.lineBuffer.clear();
    }
}

void DotReceiver::enterWaitingMode()
{
    endChannelCollecting();
    channel_.lineBuffer.clear();
    channel_.lineReceived = false;
    collected_.clear();
    waiting_ = true;
}

void DotReceiver::leaveWaitingMode()
{
    endChannelCollecting();
    waiting_ = false;
}

bool DotReceiver::exchange(const std::string& command)
{
    channel_.ClearInput();
    channel_.lineBuffer.clear();
    collected_.clear();
    channel_.lineReceived = false;
    channel_.port().write(command);
    channel_.WaitLine(kLineRounds);
    return !collected_.empty();
}

void DotReceiver::lineReceived(const std::string& text)
{
    // A piece may carry several lines; each is a line of its own, so their
    // breaks are not taken for invalid characters.
    size_t start = 0;
    for (;;) {
        const size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        if (waiting_)
            collected_ += line;
        else if (parseLine && !line.empty())
            parseLine(line);
        if (end == std::string::npos)
            return;
        start = end + 2;
    }
}

} // namespace qv
