#pragma once

#include "firmware_results.h"
#include "io_interface.h"
#include "status_panel.h"
#include "link/update_transfer.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

// Where a firmware job shows its progress; every part may be absent. The
// item bar is the progress bar with its percent text, the overall bar the
// second one of a package installation.
struct FirmwareDisplay {
    StatusPanel* status = nullptr;
    TransferBars bars;

    void show(const std::string& text) const
    {
        if (status)
            status->setText(text);
    }
    // The item bar at 0 of maximum.
    void startBar(int64_t maximum) const
    {
        if (!bars.item)
            return;
        bars.item->setMaximum(maximum);
        bars.item->setPosition(0);
    }
};

// The firmware the I/O-interface module takes: its own RUN code as Intel
// HEX through its boot loader, XSVF images played over JTAG to the mainboard
// FPGA, and images for the FPGAs of the expansion modules over the SPI UART.
class FirmwareProgrammer {
public:
    // The erase shows on a bar of this length.
    static constexpr int kEraseBarMaximum = 107;
    static constexpr int kAfterErasePauseMs = 1000;
    // "@ATPrg" answers with two bytes within about 5 s.
    static constexpr int kDownloadModePolls = 500;
    // After the last line the module has 5 s to complain.
    static constexpr int kComplaintWaitMs = 5000;
    // The first reply of a transfer comes at once, about 5 s at most.
    static constexpr int kTransferStartPolls = 500;
    // A block may hold a flash erase that takes the module tens of seconds;
    // a module silent for two minutes has stopped.
    static constexpr int kTransferReplyPolls = 12000;
    // Resends of one JTAG block before the image is given up.
    static constexpr int kJtagResends = 5;
    // Blocks of padding a module may ask for once the image has run out; a
    // module that keeps asking would otherwise be fed for ever.
    static constexpr int kPaddingBlocks = 8;
    static constexpr int kSlotAttempts = 4;
    // The reply to "b": about 1 s.
    static constexpr int kSlotStartPolls = 100;
    // Blocks of a slot's image shown as the erase of its flash.
    static constexpr int kSlotEraseBlocks = 4;
    static constexpr int kLoaderRunId = 3;

    explicit FirmwareProgrammer(IoInterface& io);

    // source: a HEX file, or "MCU/FPGA" (any case) for the FPGA loader,
    // whose second stage follows when the first reports an old register.
    int InstallIoFirmware(const std::string& source, FirmwareDisplay display);
    // Erases the RUN code and sends the lines exactly as held. 256, or a
    // failure: 257, 259, 260, 261-264, 515.
    int DownloadIoHex(const std::vector<std::string>& lines, FirmwareDisplay display);
    // Plays an XSVF image over JTAG: the module's status byte (0 success),
    // 241, 242, kTransferStopped or kTransferCanceled.
    int ProgramJtag(std::span<const uint8_t> image, const std::string& text, FirmwareDisplay display);
    // 1 VP20, 2 VP30, 0 unknown.
    int GetFpgaType();
    // Sends an image to the FPGA of the expansion module in slot 1-7, which
    // must report moduleId; up to four attempts.
    int ProgramSlotFpga(int slot, uint8_t moduleId, const std::string& text, std::span<const uint8_t> image,
                        FirmwareDisplay display);

    // The first byte of the last reply of a transfer (the status byte, or
    // the ID of a module that was not the expected one).
    uint8_t lastReply() const { return lastReply_; }

private:
    enum class Reply { Received, Stopped, Canceled };

    // Restarts the module into its RUN code and reconnects: 256, or 257
    // when it does not come back.
    int RestartAndReconnect(FirmwareDisplay display);
    int DownloadStage(const char* item, FirmwareDisplay display);
    // Waits for the first byte of a reply; ends on Cancel and on a port that went.
    Reply WaitReply(int polls);
    // Polls for ms; events keep running.
    void Pause(int ms);
    // Sends a block of a transfer and waits for the first byte of its reply:
    // 0 with that byte in reply, else kTransferStopped or kTransferCanceled.
    int ExchangeBlock(const uint8_t* data, size_t n, uint8_t& reply);
    // A transfer that ended with its status byte: the bar full, "100 %".
    int EndTransfer(uint8_t status, FirmwareDisplay display);
    int SlotAttempt(int slot, uint8_t moduleId, const std::string& text, std::span<const uint8_t> image,
                    FirmwareDisplay display, int& blocks);
    int SendSlotImage(int slot, const std::string& text, std::span<const uint8_t> image, FirmwareDisplay display,
                      int& blocks);
    int TransferPreconditions() const;

    IoInterface& io_;
    UpdateChannel& channel_;
    uint8_t lastReply_ = 0;
};

// The lines of a HEX file without their line ends; blank lines are left
// out. None when the file cannot be read.
std::vector<std::string> ReadHexFileLines(const std::string& path);

} // namespace qv
