#include "macro_runner.h"

#include "dot_commands.h"
#include "dot_receiver.h"
#include "grid_model.h"
#include "macro_file.h"
#include "macro_view.h"

#include <charconv>

namespace qv {

bool MacroLineLocked(const std::string& line, const GridModel& grid)
{
    if (line.rfind(".SA", 0) != 0)
        return false;
    const size_t comma = line.find(',');
    if (comma == std::string::npos || comma == 3)
        return false;
    int output = 0;
    const char* first = line.data() + 3;
    const char* last = line.data() + comma;
    const auto [ptr, ec] = std::from_chars(first, last, output);
    if (ec != std::errc() || ptr != last || *first == '-' || output < 1 || output > GridModel::kColumns)
        return false;
    return grid.rowHasLock(output - 1);
}

// What the parser finds in the collected text goes on to the remote-control
// handler, with the macro's own reactions added.
class MacroRunner::Relay : public DotMessageHandler {
public:
    explicit Relay(MacroRunner& runner) : runner_(runner), inner_(runner.handler_) {}

    void crosspointReport(int output, int input, bool remote) override
    {
        inner_.crosspointReport(output, input, remote);
    }
    void presetReport(int preset) override { inner_.presetReport(preset); }
    void identityReport(int item, int64_t value) override { inner_.identityReport(item, value); }
    // A refusal acknowledges a macro line; no crosspoint flashes while a
    // macro runs.
    void refusal(int, int) override {}
    // The instrument changed under the macro's feet: stop it.
    void updateNotice() override
    {
        runner_.requestStop();
        inner_.updateNotice();
    }
    void powerUpNotice() override
    {
        runner_.requestStop();
        inner_.powerUpNotice();
    }
    void messageShown(const std::string& text) override
    {
        inner_.messageShown(text);
        runner_.view_.macroProgress(MacroExecutingText(text));
    }
    void log(const std::string& line) override { inner_.log(line); }

private:
    MacroRunner& runner_;
    DotMessageHandler& inner_;
};

MacroRunner::MacroRunner(const GridModel& grid, DotMessageHandler& handler, MacroView& view,
                         std::function<bool()> remoteConnected)
    : grid_(grid), handler_(handler), view_(view), remoteConnected_(std::move(remoteConnected))
{
}

void MacroRunner::requestStop()
{
    if (running_)
        stopRequested_ = true;
}

MacroRunner::Result MacroRunner::run(DotReceiver& receiver, const std::string& path)
{
    if (running_)
        return Result::Busy;
    running_ = true;
    stopRequested_ = false;

    MacroFile macro;
    if (!ReadMacroFile(path, macro)) {
        receiver.channel().host().prompter.error(kMacroAccessError);
        running_ = false;
        return Result::NotAccessible;
    }
    receiver_ = &receiver;
    view_.macroStatus(MacroStartedText(macro.name));
    view_.showMacroWindow(macro.name);
    receiver_->enterWaitingMode();

    for (const std::string& line : macro.lines) {
        if (!IsMacroCommand(line) || MacroLineLocked(line, grid_))
            continue;
        pause(kLinePauseMs);
        play(line);
        // The text of a stopped line is still handled, so the grid shows what
        // the instrument did with it.
        parseCollected();
        if (stopRequested_)
            break;
    }

    receiver_->leaveWaitingMode();
    receiver_ = nullptr;
    const bool stopped = stopRequested_;
    view_.macroStatus(stopped ? kMacroStoppedText : kMacroFinishedText);
    running_ = false;
    stopRequested_ = false;
    view_.hideMacroWindow();
    return stopped ? Result::Stopped : Result::Finished;
}

void MacroRunner::pause(int ms)
{
    HostServices& host = receiver_->channel().host();
    host.pump.pump();
    host.clock.sleepMs(ms);
}

void MacroRunner::play(const std::string& line)
{
    // Nothing more goes out once a stop is requested, not even a retry.
    for (int attempt = 0; attempt < kAttempts && !stopRequested_; ++attempt) {
        receiver_->channel().port().write(DotMacroCommand(line));
        if (awaitAcknowledgement(line))
            return;
    }
}

bool MacroRunner::awaitAcknowledgement(const std::string& line)
{
    for (int round = 0;; ++round) {
        if (stopRequested_ || !remoteConnected_() || DotAcknowledges(receiver_->collected(), line))
            return true;
        if (round == kPollRounds)
            return false;
        pause(kPollMs);
    }
}

void MacroRunner::parseCollected()
{
    Relay relay(*this);
    ParseDotText(receiver_->collected(), DotParseState{remoteConnected_(), stopRequested_}, relay);
    receiver_->clearCollected();
}

} // namespace qv
