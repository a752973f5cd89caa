#pragma once

#include "dsp_file_record.h"
#include "flash_mirror.h"
#include "matrix_link.h"
#include "transfer_view.h"
#include "verify.h"

#include <cstdint>
#include <string>

namespace qv {

// QV-Matrix's memory transfer engine: connects, reads and writes memory
// regions block by block with progress, retries and cancellation, and
// modifies single words. Blocks that fail are retried until they succeed
// or the user closes the progress window (the cancel flag).
class MatrixTransfer {
public:
    static constexpr int kIdentifyAttempts = 5;
    static constexpr int kIdentifyPauseMs = 200;
    static constexpr int kWriteRetryPauseMs = 45;
    static constexpr int kWordWritePauseMs = 29;
    static constexpr int kWordRoundPauseMs = 100;

    MatrixTransfer(MatrixLink& link, TransferView& view);

    MatrixLink& link() { return link_; }
    MatrixChannel& channel() { return link_.channel(); }
    TransferView& view() { return view_; }

    // Makes sure an instrument is reachable and shows the progress window
    // (unless quiet): opens the port if it is closed and, with identify,
    // runs up to five identifications.
    bool ConnectInstrument(bool identify);
    // Reads blocks × 128 bytes; true when at least one block was read (a
    // cancelled read may be partial: test the cancel flag). False when the
    // port goes away before the last block. Verified, each block is read
    // until its readings agree.
    bool ReadMemory(uint8_t command, uint32_t start, uint8_t* destination, int blocks, Verify verify = Verify::No);
    // Writes lastIndex + 1 bytes, whole blocks only. Verified, the region is
    // read back and what differs is written again.
    bool WriteMemory(uint32_t start, const uint8_t* source, size_t lastIndex, Verify verify = Verify::No);
    // Read-modify-write of the big-endian word at address; false for a
    // value text that is not a value.
    bool ModifyMemoryWord(uint32_t address, const std::string& valueText);
    // Asks the running software to restart into download mode.
    bool RestartInDownloadMode(bool noWait);
    void UpdateProgress(int64_t bytesDone);
    // The user closes the progress window: the running transfer's question
    // is asked, and Yes sets the cancel flag. False: the window stays.
    bool MayClose();

    bool cancel = false;
    bool quiet = false;
    TransferMode mode = TransferMode::Idle;
    DSPFileRecord dspFile;

private:
    // Shows why and returns true when the range leaves the address space.
    bool RefusedRange(uint64_t start, uint64_t length);
    bool OpenMirror();
    void AdvanceInstallBars();
    bool Cancelled();
    // One block, tried until it is read; false when the user cancelled or
    // the port went away.
    bool ReadBlock(uint8_t command, uint32_t address, uint8_t* block);
    enum class BlockWrite { Written, Cancelled, TimedOut };
    // One block, tried until it is acknowledged.
    BlockWrite WriteBlock(uint32_t address, const uint8_t* block);
    // Reads the written region back and writes again what differs, until
    // it all reads back right; false on a reply timeout (true when cancelled).
    bool CheckWritten(uint32_t start, const uint8_t* source, size_t blocks);

    MatrixLink& link_;
    TransferView& view_;
    FlashMirror mirror_;
    int64_t total_ = 0;
    int64_t done_ = 0;
    int64_t lastReported_ = 0;
    bool lineFaulted_ = false; // an attempt of this transfer failed
};

} // namespace qv
