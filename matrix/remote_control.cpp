#include "remote_control.h"

#include "config/label_text.h"
#include "dot_commands.h"
#include "dot_gain.h"
#include "dot_identity_query.h"
#include "dot_receiver.h"
#include "link/identity_tables.h"
#include "remote_memory.h"
#include "remote_reads.h"

#include <utility>

namespace qv {

namespace {

constexpr char kTimeoutText[] = "Timeout, please try to connect again.";
constexpr char kUpdateQuestion[] =
    "Some of the X-points on the RVT has been updated, do you wish to reload the X-Points?";
constexpr char kPowerUpQuestion[] = "The connected RVT has been restarted, do you wish to reload the X-Points?";

} // namespace

RemoteControl::RemoteControl(ConfigDocument& document, MatrixConnection& connection, InstrumentRecord& record,
                             MainView& view, HostServices host)
    : document_(document), connection_(connection), record_(record), view_(view), host_(host)
{
}

MatrixTransfer* RemoteControl::transfer()
{
    return connection_.transferWindow ? connection_.transferWindow() : nullptr;
}

MatrixChannel* RemoteControl::channel()
{
    MatrixTransfer* t = transfer();
    return t ? &t->channel() : nullptr;
}

std::string RemoteControl::typeName() const
{
    return TypeName(Program::Matrix, record_.type);
}

bool RemoteControl::liveEditable() const
{
    return connection_.typeSupported() && connection_.instrumentVersion() >= kLiveEditVersion;
}

void RemoteControl::pause(int ms)
{
    for (int t = 0; t < ms; t += kPauseStepMs) {
        host_.clock.sleepMs(kPauseStepMs);
        host_.pump.pump();
    }
}

// ---------------------------------------------------------------- connect

bool RemoteControl::connect(bool skipReads)
{
    if (MatrixTransfer* t = transfer())
        t->cancel = false;
    connected_ = false;
    if (!skipReads && !document_.ReplacementGuard()) {
        view_.showRemoteConnected(false);
        return false;
    }
    MainDisabled disabled(view_);
    DotReceiver* rx = receiver ? receiver() : nullptr;
    MatrixTransfer* t = transfer();
    if (!rx || !t || !QueryDotIdentity(t->channel(), record_)) {
        view_.showRemoteConnected(false);
        return false;
    }
    view_.showImage(false);
    view_.showRemoteConnected(true);
    // The grid shows the instrument now; the image is only partly its own.
    document_.setHasImage(false);
    document_.UpdateCommands();
    const bool read = skipReads || ReadRemoteConfiguration(*t, document_.image(), view_, typeName());
    t->view().hideWindow();
    if (!read) {
        disconnectLocal();
        return false;
    }

    connected_ = true;
    reloadRequested_ = false;
    crosspointsRead_ = false;
    write(kDotLineClear);
    rx->leaveWaitingMode();
    write(kDotLineClear);
    // The preset report starts the crosspoint read.
    const int before = linesReceived_;
    send(DotPresetQuery());
    if (!waitForLine(before)) {
        timedOut();
        return false;
    }
    return true;
}

bool RemoteControl::waitForLine(int before)
{
    MatrixChannel* ch = channel();
    if (!ch)
        return false;
    ch->WaitLine(DotReceiver::kLineRounds);
    return linesReceived_ > before;
}

// The instrument answered nothing to the preset query of a connect, or to
// none of the ten requests of a crosspoint read: it is gone.
void RemoteControl::timedOut()
{
    host_.prompter.error(kTimeoutText);
    disconnectLocal();
}

bool RemoteControl::disconnectAsk()
{
    if (!connected_)
        return true;
    const std::string question = "The remote connection to the " + view_.field(MainField::Connection) +
                                 " will be disconnected.\rDo you wish to proceed?";
    if (host_.prompter.confirm(question)) {
        disconnectLocal();
        return true;
    }
    view_.showRemoteConnected(true);
    return false;
}

void RemoteControl::disconnectLocal()
{
    connected_ = false;
    reloadHeld_ = false;
    crosspointsRead_ = false;
    view_.showRemoteConnected(false);
    view_.setRemoteState(false, connection_.instrumentVersion(), connection_.typeSupported());
    for (MainCommand c : {MainCommand::Upload, MainCommand::Download, MainCommand::Restart, MainCommand::RemoteControl,
                          MainCommand::Save, MainCommand::SaveAs, MainCommand::PresetOptions, MainCommand::LcdOptions,
                          MainCommand::LeqOptions, MainCommand::LockCode})
        view_.enable(c, c == MainCommand::Upload || c == MainCommand::Restart || c == MainCommand::RemoteControl);
    // What was read is not a whole image: an upload or open comes next.
    document_.image().setModified(false);
    document_.setHasImage(false);
    view_.clearPresetList();
    view_.showImage(false);
}

// ---------------------------------------------------------------- crosspoints

void RemoteControl::reloadLater()
{
    if (MatrixChannel* ch = channel())
        ch->Defer([this] { readCrosspoints(); });
}

void RemoteControl::readCrosspoints()
{
    MatrixTransfer* t = transfer();
    DotReceiver* rx = receiver ? receiver() : nullptr;
    if (!connected_ || !t || !rx)
        return;
    if (macroRunning()) {
        reloadHeld_ = true;
        return;
    }
    if (reading_) {
        reloadLater(); // once the running read has ended
        return;
    }
    reading_ = true;
    TransferView& window = t->view();
    window.hideWindow();
    window.bar().setPosition(0);
    window.setTextLine("Connecting to " + typeName() + " Reading X-Points.");
    rx->clearCollected();
    rx->leaveWaitingMode();
    // The instrument's software decides what cannot be routed; reports
    // arriving meanwhile must find that pattern.
    view_.markIllegalCrosspoints(connection_.instrumentVersion());

    // The lists overlap on the line; only the first request clears it.
    t->channel().ClearInput();
    int answered = 0;
    for (int first : kDotCrosspointListFirstOutputs) {
        if (!connected_)
            break;
        const int before = linesReceived_;
        write(DotCrosspointList(first));
        if (waitForLine(before))
            ++answered;
    }
    reading_ = false;
    if (!connected_)
        return;
    if (answered == 0) {
        timedOut();
        return;
    }
    crosspointsRead_ = true;
    showRemoteState();
    runPendingMacro();
}

void RemoteControl::macroEnded()
{
    if (std::exchange(reloadHeld_, false))
        reloadLater();
}

void RemoteControl::showRemoteState()
{
    view_.showImage(true);
    for (MainCommand c : {MainCommand::Save, MainCommand::SaveAs, MainCommand::Upload, MainCommand::Download,
                          MainCommand::LcdOptions, MainCommand::LockCode})
        view_.enable(c, false);
    view_.enable(MainCommand::PresetOptions, liveEditable());
    view_.setRemoteState(true, connection_.instrumentVersion(), connection_.typeSupported());
    view_.showRemoteConnected(true);
}

// ---------------------------------------------------------------- received text

void RemoteControl::lineReceived(const std::string& line)
{
    ++linesReceived_;
    log("Rx: " + line);
    ParseDotText(line, DotParseState{connected_, macroStopRequested()}, *this);
}

void RemoteControl::crosspointReport(int output, int input, bool remote)
{
    // Outside remote control the grid shows the image, not the instrument.
    if (connected_)
        view_.crosspointReport(output, input, remote);
}

void RemoteControl::presetReport(int preset)
{
    if (!connected_)
        return;
    document_.image().selectPreset(preset - 1);
    view_.selectPreset(preset);
    view_.rebuildLabels();
    reloadLater();
}

void RemoteControl::identityReport(int item, int64_t value)
{
    record_.dot.store(item, value);
    record_.dot.received = true;
}

void RemoteControl::refusal(int output, int input)
{
    if (connected_)
        view_.flashCrosspoint(output, input);
}

void RemoteControl::updateNotice()
{
    notice(kUpdateQuestion);
}

void RemoteControl::powerUpNotice()
{
    notice(kPowerUpQuestion);
}

// Without remote control there is nothing to reload: a reload would put
// the instrument's routing over the image the grid shows.
void RemoteControl::notice(const char* question)
{
    if (!connected_)
        return;
    if (macroActive())
        stopMacro();
    if (reloadRequested_) {
        if (MatrixChannel* ch = channel())
            ch->ClearInput();
        return;
    }
    if (host_.prompter.confirm(question)) {
        reloadRequested_ = true;
        reloadLater();
    }
}

void RemoteControl::messageShown(const std::string& text)
{
    view_.setField(MainField::Message, text);
}

void RemoteControl::log(const std::string& line)
{
    if (logLine)
        logLine(line);
}

// ---------------------------------------------------------------- live edits

void RemoteControl::write(const std::string& command)
{
    MatrixChannel* ch = channel();
    if (!ch)
        return;
    ch->port().write(command);
    std::string shown;
    for (char c : command)
        if (c != '\r' && c != '\n')
            shown += c;
    if (!shown.empty())
        log("Tx: " + shown);
}

void RemoteControl::send(const std::string& command)
{
    if (MatrixChannel* ch = channel())
        ch->ClearInput();
    write(command);
}

void RemoteControl::takeOverConfiguration()
{
    send(kDotTakeOverConfiguration);
}

void RemoteControl::choosePreset(int preset)
{
    view_.enablePresetList(false);
    send(DotSelectPreset(preset));
    document_.image().selectPreset(preset - 1);
    view_.enablePresetList(true);
}

void RemoteControl::parameterKey(int key)
{
    send(DotSetParameter1(key));
    pause(kParameterPauseMs);
}

bool RemoteControl::writeLabel(uint32_t address, const std::string& text, const std::string& waitText)
{
    view_.setWaitText(waitText);
    view_.showWait(true);
    const bool written = writeBlockText(address, text);
    view_.showWait(false);
    return written;
}

bool RemoteControl::writeBlockText(uint32_t address, const std::string& text)
{
    MatrixTransfer* t = transfer();
    return t && RemoteMemory(*t, host_.prompter).writeBlockText(address, text);
}

bool RemoteControl::writeOptionsBlock()
{
    MatrixTransfer* t = transfer();
    return t && RemoteMemory(*t, host_.prompter).writeOptionsBlock(document_.image());
}

bool RemoteControl::writeOptions()
{
    const bool written = writeOptionsBlock();
    pause(kTakeOverPauseMs);
    takeOverConfiguration();
    return written;
}

bool RemoteControl::writePresetName(int index, const std::string& name)
{
    const std::string text = FitText(name, kPresetNameLength);
    const uint32_t address = kImageBaseAddress + uint32_t(PresetNameBaseAdr + kPresetNameLength * index);
    const bool written = writeBlockText(address, text);
    takeOverConfiguration();
    document_.image().setPresetName(index, text);
    return written;
}

bool RemoteControl::patchBlock(uint32_t blockAddress, const std::vector<std::pair<int, uint8_t>>& bytes)
{
    MatrixTransfer* t = transfer();
    return t && RemoteMemory(*t, host_.prompter).patchBlock(blockAddress, bytes);
}

GainReply RemoteControl::setGain(int output, int tenths)
{
    DotReceiver* rx = receiver ? receiver() : nullptr;
    return rx ? SetGain(*rx, output, tenths) : GainReply::None;
}

int RemoteControl::liveGain(int output)
{
    DotReceiver* rx = receiver ? receiver() : nullptr;
    return rx ? QueryGain(*rx, output, logLine) : 0;
}

} // namespace qv
