#include "update_channel.h"

namespace qv {

namespace {
bool EndsWith(const std::string& s, const char* tail)
{
    std::string t(tail);
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}
} // namespace

UpdateChannel::UpdateChannel(SerialPort& port, HostServices host) : port_(port), host_(host)
{
    port_.setReceiveHandler([this](int count) { CPRxChar(count); });
}

UpdateChannel::~UpdateChannel()
{
    port_.setReceiveHandler(nullptr);
}

void UpdateChannel::CPRxChar(int count)
{
    if (stop)
        return;
    switch (rxMode) {
    case RxMode::Binary:
        binaryCount = count;
        binaryFlag = true;
        return;
    case RxMode::DotText:
        accumulator += port_.readText(count);
        if (dotCollect)
            return;
        lineFlag = true;
        // A complete line that nobody collects is dropped.
        if (EndsWith(accumulator, "\r\n"))
            accumulator.clear();
        return;
    case RxMode::AtLines:
        accumulator += port_.readText(count);
        if (EndsWith(accumulator, "\r\n") || EndsWith(accumulator, "\n\r")) {
            accumulator.resize(accumulator.size() - 2);
            lineFlag = true;
        }
        return;
    case RxMode::Raw:
        accumulator += port_.readText(count);
        return;
    }
}

void UpdateChannel::ClearRx()
{
    port_.clearInput();
    accumulator.clear();
    lineFlag = false;
    binaryCount = 0;
    binaryFlag = false;
}

void UpdateChannel::Poll()
{
    host_.pump.pump();
    host_.clock.sleepMs(kPollMs);
}

bool UpdateChannel::WaitReplyLine(int polls)
{
    for (int poll = 0; poll < polls; ++poll) {
        if (cancel)
            return false;
        if (lineFlag)
            return true;
        Poll();
    }
    return lineFlag && !cancel;
}

bool UpdateChannel::WaitAny(int limit)
{
    return WaitBytes(limit, 1);
}

bool UpdateChannel::WaitBytes(int limit, size_t n)
{
    // A limit of 0 polls until the bytes come or the user cancels.
    for (int poll = 0; limit == 0 || poll < limit; ++poll) {
        if (cancel)
            return false;
        if (accumulator.size() >= n)
            return true;
        Poll();
    }
    return accumulator.size() >= n && !cancel;
}

bool UpdateChannel::WaitOk()
{
    return WaitReplyLine() && accumulator.compare(0, 2, "OK") == 0;
}

} // namespace qv
