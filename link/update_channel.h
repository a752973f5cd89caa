#pragma once

#include "host_services.h"
#include "platform/host/serial_port.h"

#include <string>

namespace qv {

// How QV-Update's receive handler treats arriving bytes.
enum class RxMode {
    DotText = 1,     // DOT reply lines
    Binary = 2,      // instrument command protocol: bytes stay queued
    AtLines = 3,     // I/O-interface reply lines
    Raw = 4,         // raw transfer bytes
};

// QV-Update's serial channel: the port component, its receive state and the
// polling waits. A poll lets pending events run, then sleeps 10 ms.
class UpdateChannel {
public:
    static constexpr int kPollMs = 10;
    static constexpr int kReplyLinePolls = 150;

    UpdateChannel(SerialPort& port, HostServices host);
    UpdateChannel(const UpdateChannel&) = delete;
    UpdateChannel& operator=(const UpdateChannel&) = delete;
    ~UpdateChannel();

    SerialPort& port() { return port_; }
    HostServices& host() { return host_; }

    // Receive notification of the port (CPRxChar).
    void CPRxChar(int count);

    // Discards waiting input, the accumulator, the line flag and the binary
    // count. Written output is never discarded.
    void ClearRx();
    void Poll();
    bool WaitReplyLine(int polls = kReplyLinePolls);
    bool WaitAny(int limit);
    bool WaitBytes(int limit, size_t n);
    bool WaitOk();

    // Up to `attempts` tries of operation, pauseMs apart, until one succeeds
    // or the user ends the step.
    bool Attempt(int attempts, int pauseMs, const auto& operation)
    {
        for (int attempt = 0; attempt < attempts && !aborted(); ++attempt) {
            if (attempt > 0 && pauseMs > 0)
                host_.clock.sleepMs(pauseMs);
            if (!aborted() && operation())
                return true;
        }
        return false;
    }

    // The user ended the running step: every wait gives up.
    bool aborted() const { return stop || cancel; }
    void Abort() { stop = cancel = true; }
    void ResetAbort() { stop = cancel = false; }

    RxMode rxMode = RxMode::Binary;
    bool dotCollect = false;   // DOT lines are being collected by a caller
    int binaryCount = 0;       // bytes waiting, as the last notification said
    bool binaryFlag = false;   // a notification arrived in binary mode
    std::string accumulator;   // received text in the line and raw modes
    bool lineFlag = false;
    bool stop = false;
    bool cancel = false;

private:
    SerialPort& port_;
    HostServices host_;
};

} // namespace qv
