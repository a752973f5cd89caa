#pragma once

#include "instrument.h"
#include "io_boot_loader.h"
#include "io_flash.h"
#include "io_jtag.h"
#include "io_module_options.h"
#include "io_slot.h"
#include "jtag_chain.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qv::sim {

// The I/O-interface module between the host's port and the mainboard. In
// transparent mode it passes every byte on, to the instrument or to the slot
// the SPI UART is routed to, and only watches for "@AT+++\r"; in command
// mode it answers the "@AT" commands itself.
class IoModule {
public:
    static constexpr int kLowBaud = 9600;
    static constexpr int kHighBaud = 115200;
    static constexpr uint8_t kDspDestination = 8;

    IoModule(Instrument& instrument, IoModuleOptions options);

    // One byte from the host, arriving at timeUs; replies are appended to out.
    void receive(uint8_t byte, int64_t timeUs, std::vector<uint8_t>& out);
    // The wire pacing that "@ATHS" or "@ATLS" asked for, once its "OK" is on
    // the line; 0 when unchanged. A pseudo-terminal does not see the host
    // change its rate, so the module paces the line itself.
    int takePacingChange();

    IoModuleOptions& options() { return options_; }
    const IoModuleOptions& options() const { return options_; }

    bool commandMode() const { return commandMode_; }
    bool restartingAt(int64_t timeUs) const { return timeUs < offlineUntilUs_; }
    uint8_t spiDestination() const { return spiDestination_; }
    bool moduleLinkHigh() const { return moduleLinkHigh_; }
    bool keyDown() const { return keyDown_; }
    int restarts() const { return restarts_; }
    int ethernetResets() const { return ethernetResets_; }
    bool flashErased() const { return flashErased_; }
    // The module's own flash and its download mode.
    const IoBootLoader& bootLoader() const { return bootLoader_; }
    // The mainboard's JTAG chain with the FPGA's configuration.
    const JtagChain& jtagChain() const { return chain_; }
    bool playingJtag() const { return jtag_.has_value(); }
    // Blocks the running JTAG transfer has taken, resent ones included.
    int jtagBlocks() const { return jtag_ ? jtag_->blocks() : 0; }
    // The expansion module in slot 1-7 as the SPI UART reaches it.
    const SlotModule& slotModule(int slot) const { return slots_.at(size_t(slot - 1)); }
    // A fast flash read or write is running.
    const IoFlashTransfer* flashTransfer() const { return flash_ ? &*flash_ : nullptr; }
    // Command lines received in command mode, without "\r", in order.
    const std::vector<std::string>& commandLines() const { return commandLines_; }
    int count(const std::string& command) const;

private:
    using Out = std::vector<uint8_t>;
    struct Command {
        void (IoModule::*run)(int64_t timeUs, Out& out);
        size_t parameterBytes = 0;   // raw bytes after the line, before it runs
        bool acknowledgeLine = false; // "OK" before the parameter bytes come
    };
    static const std::map<std::string, Command>& commands();

    void passOn(uint8_t byte, int64_t timeUs, Out& out);
    void collect(uint8_t byte, int64_t timeUs, Out& out);
    void execute(const std::string& line, int64_t timeUs, Out& out);
    void reply(const std::string& text, Out& out);
    void replyLine(const std::vector<uint8_t>& bytes, Out& out);
    void restart(int64_t timeUs, bool bootLoader);
    // After a restart: the RUN code the flash holds, once the factory code is gone.
    void loadRunCode();

    // The commands (io_commands.cpp).
    void onCommandMode(int64_t, Out& out);
    void onTransparentMode(int64_t, Out& out);
    void onStatus(int64_t, Out& out);
    void onVersion(int64_t, Out& out);
    void onFlashIdentity(int64_t, Out& out);
    void onEthernet(int64_t, Out& out);
    void onEthernetReset(int64_t, Out& out);
    void onRunBootLoader(int64_t timeUs, Out& out);
    void onRunCode(int64_t timeUs, Out& out);
    void onHighSpeed(int64_t, Out& out);
    void onLowSpeed(int64_t, Out& out);
    void onModuleHighSpeed(int64_t, Out& out);
    void onModuleLowSpeed(int64_t, Out& out);
    void onSpiDestination(int64_t, Out& out);
    void onKeyDown(int64_t, Out& out);
    void onKeyUp(int64_t, Out& out);
    void onReloadFpga(int64_t timeUs, Out& out);
    void onMainboardBlock(int64_t, Out& out);
    void onLoaderRegister(int64_t, Out& out);
    void onErase(int64_t, Out& out);
    void onProgram(int64_t, Out& out);
    void onJtag(int64_t timeUs, Out& out);
    void onFlashRead(int64_t timeUs, Out& out);
    void onFlashWrite(int64_t timeUs, Out& out);
    // The RUN code and the system mode allow no stream: the refusal is sent.
    bool refusesStream(Out& out) const;
    void startFlash(IoFlashTransfer::Direction direction, int64_t timeUs, Out& out);

    Instrument& instrument_;
    IoModuleOptions options_;
    std::array<SlotModule, 7> slots_{};
    IoBootLoader bootLoader_;
    JtagChain chain_{options_.fpgaIdcode};
    std::optional<IoJtagTransfer> jtag_;
    std::optional<IoFlashTransfer> flash_;

    bool commandMode_ = false;
    std::string watch_;          // the last bytes passed on, for "@AT+++\r"
    std::string line_;           // command line being received
    const Command* pending_ = nullptr; // command waiting for parameter bytes
    std::vector<uint8_t> parameters_;
    int64_t offlineUntilUs_ = 0;
    int pacingChange_ = 0;
    uint8_t spiDestination_ = kDspDestination;
    bool moduleLinkHigh_ = false;
    bool keyDown_ = false;
    int statusReplies_ = 0;
    int restarts_ = 0;
    int ethernetResets_ = 0;
    bool flashErased_ = false;
    std::vector<std::string> commandLines_;
};

} // namespace qv::sim
