#pragma once

#include "flash_codec.h"
#include "io_interface.h"
#include "status_panel.h"
#include "link/update_transfer.h"
#include "platform/host/progress.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qv {

// The fast mainboard flash transfers: the I/O-interface module reads or
// writes the flash itself over its SPI link, in checksummed blocks. Each
// returns a result code of flash:: (kDone when the module confirmed the end).
//
// Every wait in a stream ends when the user cancels, when the port is gone,
// or when the module has sent nothing for its silence limit, so a module that
// stops answering ends the transfer instead of hanging the program.
class FlashTransfer {
public:
    // The start reply ("2" to the command).
    static constexpr int kStartReadPolls = 200; // about 2 s
    static constexpr int kStartWritePolls = 500; // about 5 s
    // Silence limits within a stream. The module's first block may have to
    // wait for the flash; after that each block follows its acknowledgement.
    static constexpr int kFirstReplyMs = 10000;
    static constexpr int kBlockReplyMs = 5000;
    // A block that keeps arriving (or being taken) damaged gives up.
    static constexpr int kResendLimit = 8;
    // Stream waits look this often: a 10 ms poll would cost a block time
    // per block at the fast link speed.
    static constexpr int kStreamPollMs = 1;
    // The module goes back to its commands after a read, and gives up a
    // stream the host has left (it waits a second for the next byte).
    static constexpr int kSettleMs = 2000;

    explicit FlashTransfer(IoInterface& io);

    // Reads count sectors from the sector of address; appends them to stream.
    // Progress on bar (count + 1 steps), status texts on status.
    int ReadFlashFast(uint32_t address, size_t count, std::vector<uint8_t>& stream, StatusPanel* status,
                      Progress* bar);
    // Writes image from the sector of address, the last block padded with
    // erased bytes. Progress on bar, its percentage on percent.
    int WriteFlashFast(const std::vector<uint8_t>& image, uint32_t address, StatusPanel* status, Progress* bar,
                       StatusPanel* percent);

    // A second bar that a package installation moves by the bytes of each
    // block, its text the overall percentage.
    void setOverallBar(Progress* overall) { overall_ = overall; }

    // 0 when the module's status allows a fast transfer, else kNotSupported
    // or kNotRunMode.
    int Refusal() const;

    // What the module sent last, for the message of an unknown result.
    uint8_t firstReceivedByte() const;
    const std::string& receivedText() const { return channel_.accumulator; }

private:
    // Sends the start command; true when the module answered "2" with at
    // least `bytes` bytes.
    bool Start(std::string_view command, int polls, size_t bytes);
    // Until `bytes` have arrived, the user cancels, the port is gone or the
    // module has been silent for silenceMs.
    bool WaitStream(size_t bytes, int silenceMs);
    // Sends bytes after clearing what came before.
    bool Send(std::string_view bytes);
    // Lets kSettleMs pass, events running, unless the user cancels.
    void Settle();
    int ReadBlocks(size_t count, std::vector<uint8_t>& stream, Progress* bar);
    int WriteBlocks(const std::vector<uint8_t>& image, Progress* bar, StatusPanel* percent);

    IoInterface& io_;
    UpdateChannel& channel_;
    Progress* overall_ = nullptr;
};

} // namespace qv
