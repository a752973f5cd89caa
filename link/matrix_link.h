#pragma once

#include "instrument_record.h"
#include "matrix_channel.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// QV-Matrix's side of the instrument command protocol. Bytes go out one by
// one; a wake-up is sent only when the previous operation failed, because
// after a success the instrument is still listening for a command.
class MatrixLink {
public:
    static constexpr int kWakeUpAttempts = 6;
    // A block read gives up after this long without a new byte: a boot
    // loader acknowledges the read command but never sends the block.
    static constexpr int kReadSilenceMs = 1500;
    static constexpr int kKeyPauseMs = 10;
    static constexpr int kRestartPauseMs = 100;

    struct ByteResult {
        bool ok = false;
        uint8_t reply = 0;
    };

    MatrixLink(MatrixChannel& channel, InstrumentRecord& record);

    MatrixChannel& channel() { return channel_; }
    InstrumentRecord& record() { return record_; }

    // Primitives.
    ByteResult SendByte(bool expectReply, uint8_t value);
    ByteResult ReadByte();

    // Operations; each stores its result in lastResult.
    bool SendBreak();
    bool ForcedWakeUp();
    bool SendCommand(uint8_t code);
    bool WriteBDMAaddr(uint32_t address);
    bool ReadBDMA(uint8_t command, size_t count, uint8_t* buffer);
    bool WriteBDMA(size_t count, const uint8_t* data);
    ByteResult ReadProtectFlag();
    bool ToggleProtectFlag();
    bool WriteKeyboard(uint8_t key);
    // A key press as callers make it: one more try when the first fails.
    bool PressKey(uint8_t key);
    bool RestartRVT();

    // Identification: wakes the instrument and reads revision, serial number
    // and type into the record. True when the instrument answered, also in
    // BIOS mode. quiet suppresses "No instrument found.".
    bool GetInstrumentId(bool quiet);

    bool lastResult = false;
    // The flash mirror file: named after the serial number once one was read.
    std::string mirrorFileName = "Flash.mrr";

private:
    bool finish(bool ok)
    {
        lastResult = ok;
        return ok;
    }
    void logName(const char* name) { channel_.log().named(name); }
    bool ReadIdentityBlock(uint32_t address, uint8_t* block);
    bool WaitBlock(int expected);

    MatrixChannel& channel_;
    InstrumentRecord& record_;
};

} // namespace qv
