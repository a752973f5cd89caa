#pragma once

#include "host_services.h"
#include "platform/host/serial_port.h"
#include "traffic_log.h"

#include <functional>
#include <string>

namespace qv {

// Port settings of QV-Matrix. The line settings are fixed; the fields are
// filled in when the user picks a port and only describe them.
struct InitRecord {
    std::string logPath;  // traffic log; empty means off
    std::string portName; // the port the user picked
    int baud = 0;
    char parity = 0;
    int dataBits = 0;
    int stopBits = 0;

    void selectPort(const std::string& name)
    {
        portName = name;
        baud = 9600;
        parity = 'N';
        dataBits = 8;
        stopBits = 1;
    }
};

// QV-Matrix's serial channel: opens the port, routes received bytes either
// to the binary protocol (left queued) or, as assembled lines, to the text
// protocol, and provides the bounded waits every exchange is built on.
class MatrixChannel {
public:
    static constexpr int kReplyRounds = 200;     // x 5 ms
    static constexpr int kReplyPollMs = 5;
    static constexpr int kInputSlackRounds = 30; // WaitInput(n): n + 30 rounds of 1 ms
    static constexpr int kLinePollMs = 10;
    static constexpr int kDeferralMs = 100;

    MatrixChannel(SerialPort& port, HostServices host);
    MatrixChannel(const MatrixChannel&) = delete;
    MatrixChannel& operator=(const MatrixChannel&) = delete;
    ~MatrixChannel();

    InitRecord& init() { return init_; }
    SerialPort& port() { return port_; }
    HostServices& host() { return host_; }
    TrafficLog& log() { return log_; }

    // Opens the port and starts the traffic log. A failure is shown unless
    // quiet: the busy text when another program holds the port.
    bool OpenPort(bool quiet = false);
    void ClosePort();
    // Written output is never discarded: "clear both queues" means this.
    void ClearInput();

    // Waits for the first byte of a reply, pumping events; true when one waits.
    bool WaitReply();
    // Waits for n bytes without pumping events.
    bool WaitInput(int n);
    // Waits for a complete line, pumping events; the caller reads lineBuffer.
    void WaitLine(int rounds);

    // Receive notification of the port.
    void ComPortDriverRxChar(int count);

    // Receive state.
    bool binaryMode = false;   // bytes stay queued for the binary protocol
    bool byteArrived = false;
    bool lineReceived = false;
    bool collectOnly = false;  // complete lines stay in lineBuffer
    bool timeout = false;      // a reply byte did not arrive
    std::string lineBuffer;

    // The text protocol's line handler.
    std::function<void(const std::string& line)> lineHandler;

    // The deferral timer: the window installs startDeferralTimer (a 100 ms
    // one-shot) and calls DeferralTimerFired when it runs out. Work that must
    // wait for received lines is deferred this way instead of running inside
    // the receive handler.
    std::function<void(int ms)> startDeferralTimer;
    void Defer(std::function<void()> action);
    void DeferralTimerFired();

private:
    SerialPort& port_;
    HostServices host_;
    InitRecord init_;
    TrafficLog log_;
    std::function<void()> deferred_;
};

} // namespace qv
