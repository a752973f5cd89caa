#include "matrix_link.h"

#include "identity_tables.h"
#include "wire_protocol.h"

#include <cstdio>

namespace qv {

using Direction = TrafficLog::Direction;

MatrixLink::MatrixLink(MatrixChannel& channel, InstrumentRecord& record) : channel_(channel), record_(record) {}

MatrixLink::ByteResult MatrixLink::SendByte(bool expectReply, uint8_t value)
{
    channel_.binaryMode = true;
    channel_.log().byte(Direction::Tx, value);
    channel_.port().writeByte(value);
    ByteResult result{true, 0};
    if (expectReply) {
        if (channel_.WaitReply()) {
            channel_.port().read(&result.reply, 1);
            channel_.log().byte(Direction::Rx, result.reply);
        } else {
            // In BIOS mode missing replies are expected and not worth a dialog.
            if (!record_.biosMode) {
                channel_.host().prompter.error("RS232 Timeout");
                channel_.timeout = true;
            }
            logName("RS232 Timeout");
            result = {false, 0x20};
        }
    }
    channel_.binaryMode = false;
    return result;
}

MatrixLink::ByteResult MatrixLink::ReadByte()
{
    ByteResult result;
    result.ok = channel_.port().read(&result.reply, 1) == 1;
    if (result.ok)
        channel_.log().byte(Direction::Rx, result.reply);
    return result;
}

bool MatrixLink::SendBreak()
{
    logName("SendBreak");
    channel_.ClearInput();
    if (lastResult)
        return true;
    lastResult = false;
    bool ok = false;
    for (int attempt = 0; attempt < kWakeUpAttempts && !ok; ++attempt) {
        channel_.ClearInput();
        SendByte(false, wire::kWakeUp1);
        SendByte(false, wire::kWakeUp2);
        channel_.WaitInput(1);
        auto b = ReadByte();
        ok = b.ok && b.reply == wire::kAck;
    }
    return finish(ok);
}

bool MatrixLink::ForcedWakeUp()
{
    lastResult = false;
    return SendBreak();
}

bool MatrixLink::SendCommand(uint8_t code)
{
    logName("SendCommand");
    SendByte(false, code);
    channel_.WaitInput(1);
    auto b = ReadByte();
    return finish(b.ok && b.reply == wire::kAck);
}

bool MatrixLink::WriteBDMAaddr(uint32_t address)
{
    logName("WriteBDMAaddr");
    if (!SendBreak() || !SendCommand(wire::kCmdSetAddress))
        return finish(false);
    auto bytes = wire::AddressBytes(address);
    SendByte(false, bytes[0]);
    SendByte(false, bytes[1]);
    auto r = SendByte(true, bytes[2]);
    return finish(r.ok && r.reply == wire::kAck);
}

bool MatrixLink::ReadBDMA(uint8_t command, size_t count, uint8_t* buffer)
{
    logName("ReadBDMA");
    if (!SendBreak() || !SendCommand(command))
        return finish(false);
    SendByte(false, wire::ReadCountByte(count));

    if (!WaitBlock(int(count) + 1)) {
        // Late bytes must not be taken for the next answer.
        channel_.ClearInput();
        return finish(false);
    }
    for (size_t i = 0; i < count; ++i)
        buffer[i] = ReadByte().reply;
    auto checksum = ReadByte();
    return finish(checksum.ok && wire::BlockChecksumMatches(buffer, count, checksum.reply));
}

// Waits for the block and its checksum. Events run meanwhile, so the windows
// keep painting and closing the progress window is seen; the bytes stay
// queued for the protocol.
bool MatrixLink::WaitBlock(int expected)
{
    Clock& clock = channel_.host().clock;
    channel_.binaryMode = true;
    int seen = channel_.port().inputCount();
    int64_t lastByteMs = clock.nowMs();
    bool arrived = false;
    for (;;) {
        clock.sleepMs(1);
        channel_.host().pump.pump();
        channel_.binaryMode = true; // whatever the pump ran may have cleared it
        const int waiting = channel_.port().inputCount();
        if (waiting >= expected) {
            arrived = true;
            break;
        }
        if (waiting > seen) {
            seen = waiting;
            lastByteMs = clock.nowMs();
        } else if (clock.nowMs() - lastByteMs >= kReadSilenceMs) {
            break;
        }
    }
    channel_.binaryMode = false;
    return arrived;
}

bool MatrixLink::WriteBDMA(size_t count, const uint8_t* data)
{
    logName("WriteBDMA");
    if (!SendBreak() || !SendCommand(wire::kCmdWriteBlock))
        return finish(false);
    SendByte(false, wire::WriteCountByte(count));
    for (size_t i = 0; i < count; ++i)
        SendByte(false, data[i]);
    SendByte(false, wire::BlockChecksum(data, count));
    channel_.WaitInput(1);
    auto b = ReadByte();
    return finish(b.ok && b.reply == wire::kAck);
}

MatrixLink::ByteResult MatrixLink::ReadProtectFlag()
{
    logName("ReadProtectFlag");
    // Sent bare: the instrument is still listening after the previous operation.
    auto r = SendByte(true, wire::kCmdReadProtect);
    finish(r.ok);
    return r;
}

bool MatrixLink::ToggleProtectFlag()
{
    logName("ToggleProtectFlag");
    return SendCommand(wire::kCmdToggleProtect);
}

bool MatrixLink::WriteKeyboard(uint8_t key)
{
    logName("WriteKeyboard");
    bool ok = SendBreak() && SendCommand(wire::kCmdKeyPress);
    if (ok) {
        auto r = SendByte(true, key);
        ok = r.ok && r.reply == wire::kAck;
    }
    channel_.host().clock.sleepMs(kKeyPauseMs);
    return finish(ok);
}

bool MatrixLink::PressKey(uint8_t key)
{
    return WriteKeyboard(key) || WriteKeyboard(key);
}

bool MatrixLink::RestartRVT()
{
    logName("RestartRVT");
    channel_.host().clock.sleepMs(kRestartPauseMs);
    ForcedWakeUp();
    return SendCommand(wire::kCmdRestart);
}

bool MatrixLink::ReadIdentityBlock(uint32_t address, uint8_t* block)
{
    return WriteBDMAaddr(address) && ReadBDMA(wire::kCmdReadBlock, wire::kBlockSize, block);
}

bool MatrixLink::GetInstrumentId(bool quiet)
{
    record_.biosMode = false;
    mirrorFileName = "Flash.mrr";

    if (!ForcedWakeUp()) {
        if (!quiet)
            channel_.host().prompter.error("No instrument found.");
        record_.connected = false;
        record_.type = 0;
        record_.serialText.clear();
        return false;
    }

    uint8_t block[wire::kBlockSize] = {};
    record_.revision = 0;
    if (!ReadIdentityBlock(wire::kRevisionBlock, block))
        record_.biosMode = true;
    else
        record_.revision = char(block[wire::kRevisionOffset]);

    if (!record_.biosMode) {
        const bool newLayout = wire::IdentityBlock(record_.revision) == wire::kIdentityBlockNew;
        if (ReadIdentityBlock(wire::IdentityBlock(record_.revision), block)) {
            uint16_t word = wire::BigEndianWord(newLayout ? block : block + 2);
            if (word != 0xFFFF) {
                record_.serialText = std::to_string(word);
                mirrorFileName = record_.serialText + ".mrr";
            } else {
                record_.serialText = "-1";
            }
        }
        // A serial number that was never read cannot name a type: the
        // identification fails and the caller tries again.
        if (record_.serialText.empty()) {
            record_.connected = false;
            return false;
        }
        record_.serial = std::stoi(record_.serialText);
        record_.type = TypeFromSerial(Program::Matrix, record_.serial);
        record_.programSize = ProgramBlocks(record_.type);
    }
    record_.connected = true;
    return true;
}

} // namespace qv
