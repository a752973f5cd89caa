#pragma once

#include "dot_parser.h"

#include <functional>
#include <string>

namespace qv {

class DotReceiver;
class GridModel;
class MacroView;

// Whether a macro line must not be sent: a ".SA" line whose output (the
// digits from the 4th character up to the first ",") has a locked
// crosspoint in the grid.
bool MacroLineLocked(const std::string& line, const GridModel& grid);

// Plays macro files to the instrument under remote control, one command
// line at a time, each waiting for its acknowledgement (".A", ".F" or ".N"
// followed by the command from its third character). Received text is
// collected while it runs and handed to the remote-control handler after
// each line.
class MacroRunner {
public:
    static constexpr int kAttempts = 11;     // sends of one line
    static constexpr int kPollRounds = 201;  // per send
    static constexpr int kPollMs = 5;
    static constexpr int kLinePauseMs = 5;   // before each line

    enum class Result { Finished, Stopped, NotAccessible, Busy };

    // handler: remote control, which applies the reports. remoteConnected:
    // whether remote control is still connected; once it is not, every
    // remaining line counts as acknowledged when sent.
    MacroRunner(const GridModel& grid, DotMessageHandler& handler, MacroView& view,
                std::function<bool()> remoteConnected);
    MacroRunner(const MacroRunner&) = delete;
    MacroRunner& operator=(const MacroRunner&) = delete;

    // Plays the file through remote control's receiver and returns when it
    // has ended. An unreadable file shows "The macro could not be accessed.".
    // Busy while another one runs.
    Result run(DotReceiver& receiver, const std::string& path);

    // "Stop Macro", Ctrl+F12, hotkey 12, and the update and power-up
    // notices: the macro ends after the current line, within one poll.
    void requestStop();
    bool running() const { return running_; }
    bool stopRequested() const { return stopRequested_; }

private:
    class Relay;

    void pause(int ms);
    void play(const std::string& line);
    // True when the attempts are over: acknowledged, stopped or disconnected.
    bool awaitAcknowledgement(const std::string& line);
    void parseCollected();

    DotReceiver* receiver_ = nullptr; // while running
    const GridModel& grid_;
    DotMessageHandler& handler_;
    MacroView& view_;
    std::function<bool()> remoteConnected_;
    bool running_ = false;
    bool stopRequested_ = false;
};

} // namespace qv
