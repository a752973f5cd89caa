#pragma once

#include "update_channel.h"

#include <cstddef>
#include <cstdint>

namespace qv {

// QV-Update's side of the instrument command protocol: the same bytes as
// QV-Matrix's, grouped into fewer writes, always preceded by a wake-up and
// without dialogs; every wait ends when the user aborts the step.
class UpdateLink {
public:
    static constexpr int kReplyRounds = 50; // x 3 ms
    static constexpr int kReplyPollMs = 3;
    static constexpr int kWakeUpAttempts = 5;
    static constexpr int kKeyPauseMs = 10;

    explicit UpdateLink(UpdateChannel& channel);

    UpdateChannel& channel() { return channel_; }

    bool WakeUp();
    // A command byte; with wait it must be acknowledged.
    bool Command(uint8_t code, bool wait = true);
    bool SetAddress(uint32_t address);
    bool ReadBlock(size_t count, uint8_t* buffer);
    bool WriteBlock(size_t count, const uint8_t* data);
    bool KeyPress(uint8_t key);
    // Restart is written and not awaited.
    bool Restart();

    // One attempt each; the word is big-endian and lies within one block.
    bool ReadWord(uint32_t address, uint16_t& value);
    bool WriteWord(uint32_t address, uint16_t value);
    bool WriteByte(uint32_t address, uint8_t value);

    // Not used by QV-Update itself; the service tool needs it before writes.
    bool ReadProtectFlag(uint8_t& flag);
    static constexpr uint8_t kToggleProtect = 0x0A;
    bool ToggleProtectFlag() { return WakeUp() && Command(kToggleProtect); }

private:
    // Waits while bytes of an earlier answer still come in, so that they
    // are not taken for the next one: a garbled command can set the
    // instrument sending a long block, which would use up every attempt.
    void LetLineFallQuiet();
    bool Send(const uint8_t* data, size_t n);
    bool Send(uint8_t value) { return Send(&value, 1); }
    // Waits until the last notification reported at least n bytes.
    bool WaitReply(int n);
    bool ReadAck();
    bool ReadBlockAt(uint32_t blockAddress, uint8_t* block);
    bool ModifyBlock(uint32_t address, const uint8_t* bytes, size_t n);

    UpdateChannel& channel_;
};

} // namespace qv
