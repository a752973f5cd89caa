#pragma once

#include "config_document.h"
#include "dot_gain.h"
#include "dot_parser.h"
#include "link/host_services.h"
#include "link/instrument_record.h"
#include "main_view.h"
#include "matrix_connection.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qv {

class DotReceiver;

// Remote control: QV-Matrix as a live panel of the connected instrument.
// Connecting reads labels, preset names and option blocks from the
// instrument's memory, asks for the current preset and then for every
// crosspoint; from then on crosspoints, presets and labels are changed in
// the instrument, and its reports and notices keep the window in step.
class RemoteControl : public DotMessageHandler {
public:
    static constexpr int kParameterPauseMs = 250;
    static constexpr int kTakeOverPauseMs = 250;
    static constexpr int kPauseStepMs = 10;
    static constexpr uint16_t kLiveEditVersion = 0x0507;

    RemoteControl(ConfigDocument& document, MatrixConnection& connection, InstrumentRecord& record, MainView& view,
                  HostServices host);

    // The DOT receiver on the transfer window's channel; creates the window
    // (and opens its port) when needed. nullptr without a serial interface.
    std::function<DotReceiver*()> receiver;
    // A line for the DOT log window.
    std::function<void(const std::string&)> logLine;
    // Macros: one pending or running is asked to stop by a notice; a pending
    // one runs after the crosspoint read. A crosspoint read would take a
    // running macro's answers, so a reload asked for meanwhile (a ".SP9,n"
    // line, a notice) waits until macroEnded.
    std::function<bool()> macroActive = [] { return false; };
    std::function<bool()> macroRunning = [] { return false; };
    std::function<void()> stopMacro = [] {};
    std::function<bool()> macroStopRequested = [] { return false; };
    std::function<void()> runPendingMacro = [] {};
    void macroEnded();

    bool connected() const { return connected_; }
    bool reloadRequested() const { return reloadRequested_; }
    // A crosspoint read has completed since the connect.
    bool crosspointsRead() const { return crosspointsRead_; }

    // The Connect entry, the remote button and the macro flows. skipReads
    // leaves out the save question and the memory reads.
    bool connect(bool skipReads);
    // The Disconnect entry, the released remote button and every
    // replacement guard; false when the user wants to stay connected.
    bool disconnectAsk();
    // Ends remote control without asking; the partly read image is dropped.
    void disconnectLocal();
    // Lists every crosspoint; the reports update the grid as they arrive.
    void readCrosspoints();

    // Each complete line received outside waiting mode.
    void lineReceived(const std::string& line);
    // Sends a DOT command line, clearing the receive buffer first. The DOT
    // log shows sent lines with "Tx: " and received ones with "Rx: ".
    void send(const std::string& command);

    // --- live edits ---
    void choosePreset(int preset);
    // Shift+F1 .. Shift+F11.
    void parameterKey(int key);
    // The rename's live write: the wait window shows waitText meanwhile.
    bool writeLabel(uint32_t address, const std::string& text, const std::string& waitText);
    bool writeBlockText(uint32_t address, const std::string& text);
    bool writeOptionsBlock();
    // PPM options and theme: the changed options block, then the take-over.
    bool writeOptions();
    // The name of preset index 0..10; the image takes it in any case.
    bool writePresetName(int index, const std::string& name);
    // Bytes (offset within the block, value) into a block of the
    // instrument's memory.
    bool patchBlock(uint32_t blockAddress, const std::vector<std::pair<int, uint8_t>>& bytes);
    // "\r.SP15,22\r": the instrument takes over its changed memory.
    void takeOverConfiguration();
    // The gain of an output in tenths of a dB, 0 without answer.
    int liveGain(int output);
    // ".SG" for an output, with its retries.
    GainReply setGain(int output, int tenths);
    // Waits with the window kept alive.
    void pause(int ms);

    // DotMessageHandler
    void crosspointReport(int output, int input, bool remote) override;
    void presetReport(int preset) override;
    void identityReport(int item, int64_t value) override;
    void refusal(int output, int input) override;
    void updateNotice() override;
    void powerUpNotice() override;
    void messageShown(const std::string& text) override;
    void log(const std::string& line) override;

private:
    MatrixTransfer* transfer();
    MatrixChannel* channel();
    std::string typeName() const;
    bool liveEditable() const;
    // Runs readCrosspoints from the transfer window's 100 ms one-shot timer,
    // outside the receive handling.
    void reloadLater();
    void notice(const char* question);
    void showRemoteState();
    void timedOut();
    // Sends without clearing the receive buffer; the DOT log shows it.
    void write(const std::string& command);
    bool waitForLine(int before);

    ConfigDocument& document_;
    MatrixConnection& connection_;
    InstrumentRecord& record_;
    MainView& view_;
    HostServices host_;
    bool connected_ = false;
    bool reloadRequested_ = false;
    bool reading_ = false;
    bool reloadHeld_ = false;
    bool crosspointsRead_ = false;
    int linesReceived_ = 0;
};

} // namespace qv
