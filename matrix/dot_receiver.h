#pragma once

#include "link/matrix_channel.h"

#include <functional>
#include <string>

namespace qv {

// How QV-Matrix takes received DOT lines: the channel assembles them; outside
// waiting mode each complete line goes to the parser at once, in waiting
// mode complete lines are collected for the caller that waits for an answer.
// Lines that arrived together are still handled one by one. Only complete
// lines are collected, so a waiting caller never reads half a report. While
// it exists the receiver is the channel's line handler; it must not outlive
// the channel.
class DotReceiver {
public:
    static constexpr int kLineRounds = 100; // about a second

    explicit DotReceiver(MatrixChannel& channel);
    DotReceiver(const DotReceiver&) = delete;
    DotReceiver& operator=(const DotReceiver&) = delete;
    ~DotReceiver();

    MatrixChannel& channel() { return channel_; }

    // Each complete line received outside waiting mode.
    std::function<void(const std::string& line)> parseLine;

    // Clears the partly received line, the collected text and the
    // line-received flag. Also ends the collecting a successful identity
    // query leaves on, so that lines reach this receiver.
    void enterWaitingMode();
    void leaveWaitingMode();
    bool waiting() const { return waiting_; }

    // Complete lines received in waiting mode, joined without their CR LF.
    const std::string& collected() const { return collected_; }
    void clearCollected() { collected_.clear(); }

    // Sends a line in waiting mode: clears the receive buffer and the
    // collected text, sends, and waits up to a second for a line. True when
    // text was collected.
    bool exchange(const std::string& command);

private:
    void lineReceived(const std::string& text);
    void endChannelCollecting();

    MatrixChannel& channel_;
    bool waiting_ = false;
    std::string collected_;
};

} // namespace qv
