#pragma once

#include "instrument_options.h"
#include "lcd_screen.h"
#include "live_state.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace qv::sim {

// The instrument as the host sees it over the serial line: the binary
// command protocol, the DOT text protocol, its memory, protect flag, keys,
// restart and BIOS mode. Bytes go in one at a time with their arrival time;
// reply bytes come out in order.
class Instrument {
public:
    static constexpr uint32_t kMemorySize = 1u << 22; // 22-bit byte addresses

    explicit Instrument(InstrumentOptions options = {});

    // One byte from the host, arriving at timeUs; replies are appended to out.
    void receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out);

    // Memory is made from the options once, at construction; later changes
    // reach the replies, BIOS mode and the faults only.
    const InstrumentOptions& options() const { return options_; }
    InstrumentOptions& options() { return options_; }

    // Memory access for tests and --dump.
    uint8_t peek(uint32_t address) const;
    std::vector<uint8_t> peek(uint32_t address, size_t count) const;
    void poke(uint32_t address, const std::vector<uint8_t>& bytes);
    const std::vector<uint8_t>& memory() const { return memory_; }

    bool protectFlag() const { return protectFlag_; }
    const std::vector<int>& keysPressed() const { return keys_; }
    int restartCount() const { return restarts_; }
    int blockReads() const { return blockReads_; }
    int blockWrites() const { return blockWrites_; } // blocks accepted and stored
    // Lines of DOT text received, without their terminators (also those it
    // does not answer: BIOS mode, options.answersText false).
    const std::vector<std::string>& textLines() const { return textLines_; }
    bool bootingAt(int64_t timeUs) const { return timeUs < bootUntilUs_; }
    // Restarted for a software download: takes blocks without the protect
    // flag and no text until the next restart.
    bool inDownloadMode() const { return downloadMode_; }
    // Woken up and waiting for a command byte.
    bool listening() const { return state_ == State::Listening; }

    // The key line, held by the I/O module: a restart while it is down comes
    // up in BIOS mode; the next restart with it up leaves BIOS mode again.
    void setKeyLine(bool down) { keyLineDown_ = down; }
    // An FPGA reload by the I/O module restarts the instrument.
    void reloadFpga(int64_t timeUs) { restart(timeUs); }

    // What the running software works with: preset, routing, gains.
    const LiveState& live() const { return live_; }

    // What the display shows now; video memory holds it once the host
    // reads there. A frozen display keeps its picture until it runs again
    // (".SP15,19", ESC "r" or a restart).
    const LcdPicture& lcdPicture();
    bool lcdFrozen() const { return lcdFrozen_; }
    LcdLayout lcdLayout() const { return lcdLayoutFor(options_.serial); }

    // The front panel at timeUs. A crosspoint set there is reported with
    // "AA" (without "*") and an update notice, a preset with "AP" 9. False
    // when the software is not running or cannot route the crosspoint.
    bool routeAtFrontPanel(int output, int input, int64_t timeUs);
    bool selectPresetAtFrontPanel(int preset, int64_t timeUs);
    // Off and on again: unreachable for the boot time, then a power-up notice.
    void powerCycle(int64_t timeUs);

    // Text the instrument sends on its own: the next piece due by untilUs
    // and when it leaves; false when none is due.
    bool takeUnsolicited(int64_t untilUs, int64_t& atUs, std::vector<uint8_t>& out);
    // When the next piece is due; -1 for none.
    int64_t nextUnsolicitedUs() const;

private:
    enum class State { Idle, Listening, Address, WriteCount, WriteData, WriteChecksum, KeyCode, ReadCount };

    void enterIdle();
    void handleIdle(uint8_t byte, std::vector<uint8_t>& out);
    void endTextLine(std::vector<uint8_t>& out);
    void handleCommand(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out);
    void handleParameter(uint8_t byte, std::vector<uint8_t>& out);
    void restart(int64_t timeUs, bool downloadMode = false);
    void finishWrite(uint8_t checksum, std::vector<uint8_t>& out);
    void sendBlock(size_t count, std::vector<uint8_t>& out);
    void send(uint8_t byte, std::vector<uint8_t>& out);
    void send(const std::string& text, std::vector<uint8_t>& out);
    bool runsSoftwareAt(int64_t timeUs) const;
    // The display (lcd_display.cpp).
    void screenChanged() { lcdDirty_ = true; }
    void refreshLcd();
    void freezeLcd(bool frozen);
    bool handleDisplayEscape(uint8_t byte);
    int selectedKey() const;
    void sendOnOwn(int64_t timeUs, const std::string& text);

    InstrumentOptions options_;
    std::vector<uint8_t> memory_;
    bool protectFlag_ = false;
    bool downloadMode_ = false;
    std::vector<int> keys_;
    int restarts_ = 0;
    int blockReads_ = 0;
    int blockWrites_ = 0;
    std::vector<std::string> textLines_;
    int64_t bootUntilUs_ = 0;
    LiveState live_;
    struct Unsolicited {
        int64_t atUs;
        std::string text;
    };
    std::deque<Unsolicited> unsolicited_;
    LcdPicture lcd_;
    bool lcdDirty_ = true;
    bool lcdFrozen_ = false;
    bool afterEscape_ = false;
    bool keyLineDown_ = false;
    bool biosByKey_ = false; // in BIOS mode because of the key line, not the option

    State state_ = State::Idle;
    std::string textLine_;
    bool afterWakeUp1_ = false;
    uint32_t address_ = 0;
    uint8_t addressBytes_[3] = {};
    size_t parameterCount_ = 0;
    size_t blockCount_ = 0;
    std::vector<uint8_t> block_;
    int64_t lastByteUs_ = 0;
    uint64_t bytesSent_ = 0;
};

} // namespace qv::sim
