#include "matrix_channel.h"

namespace qv {

MatrixChannel::MatrixChannel(SerialPort& port, HostServices host) : port_(port), host_(host)
{
    port_.setReceiveHandler([this](int count) { ComPortDriverRxChar(count); });
}

MatrixChannel::~MatrixChannel()
{
    port_.setReceiveHandler(nullptr);
    ClosePort();
}

bool MatrixChannel::OpenPort(bool quiet)
{
    timeout = false;
    ClosePort();
    if (!port_.open(init_.portName)) {
        if (quiet)
            return false;
        if (port_.openFailure() == SerialPort::OpenFailure::Busy)
            host_.prompter.error(init_.portName + " is not available, it could be in use by another application.");
        else
            host_.prompter.error("Unable to open " + init_.portName);
        return false;
    }
    // Opened again after a failure: the log goes on.
    if (!init_.logPath.empty() && !log_.enabled())
        log_.start(init_.logPath);
    return true;
}

void MatrixChannel::ClosePort()
{
    if (port_.isOpen())
        port_.close();
}

void MatrixChannel::ClearInput()
{
    port_.clearInput();
}

bool MatrixChannel::WaitReply()
{
    byteArrived = false;
    for (int round = 0; round < kReplyRounds; ++round) {
        if (byteArrived)
            break;
        host_.pump.pump();
        host_.clock.sleepMs(kReplyPollMs);
    }
    return port_.inputCount() > 0;
}

bool MatrixChannel::WaitInput(int n)
{
    binaryMode = true;
    bool enough = false;
    for (int round = 0; round < n + kInputSlackRounds && !enough; ++round) {
        host_.clock.sleepMs(1);
        enough = port_.inputCount() >= n;
    }
    binaryMode = false;
    return enough;
}

void MatrixChannel::WaitLine(int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        if (lineReceived)
            break;
        host_.pump.pump();
        host_.clock.sleepMs(kLinePollMs);
    }
    lineReceived = false;
}

void MatrixChannel::ComPortDriverRxChar(int count)
{
    byteArrived = true;
    if (binaryMode)
        return;
    lineBuffer += port_.readText(count);
    if (lineBuffer.size() < 2 || lineBuffer.compare(lineBuffer.size() - 2, 2, "\r\n") != 0)
        return;
    lineBuffer.resize(lineBuffer.size() - 2);
    if (!collectOnly) {
        // The handler may re-enter the channel; hand it its own copy.
        std::string line;
        line.swap(lineBuffer);
        if (lineHandler)
            lineHandler(line);
    }
    lineReceived = true;
}

void MatrixChannel::Defer(std::function<void()> action)
{
    deferred_ = std::move(action);
    if (startDeferralTimer)
        startDeferralTimer(kDeferralMs);
}

void MatrixChannel::DeferralTimerFired()
{
    auto action = std::move(deferred_);
    deferred_ = nullptr;
    if (action)
        action();
}

} // namespace qv
