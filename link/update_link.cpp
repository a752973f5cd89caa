#include "update_link.h"

#include "wire_protocol.h"

#include <algorithm>

namespace qv {

UpdateLink::UpdateLink(UpdateChannel& channel) : channel_(channel) {}

bool UpdateLink::Send(const uint8_t* data, size_t n)
{
    channel_.ClearRx();
    return channel_.port().write(data, n);
}

bool UpdateLink::WaitReply(int n)
{
    for (int round = 0; round < kReplyRounds; ++round) {
        channel_.host().pump.pump();
        if (channel_.aborted())
            return false;
        if (channel_.binaryCount >= n)
            return true;
        channel_.host().clock.sleepMs(kReplyPollMs);
    }
    return false;
}

bool UpdateLink::ReadAck()
{
    uint8_t b = 0;
    return channel_.port().read(&b, 1) == 1 && b == wire::kAck;
}

void UpdateLink::LetLineFallQuiet()
{
    for (int round = 0; round < kReplyRounds && channel_.port().inputCount() > 0 && !channel_.aborted(); ++round) {
        channel_.ClearRx();
        channel_.host().clock.sleepMs(kReplyPollMs);
        channel_.host().pump.pump();
    }
}

bool UpdateLink::WakeUp()
{
    const uint8_t wake[] = {wire::kWakeUp1, wire::kWakeUp2};
    bool ok = false;
    for (int attempt = 0; attempt < kWakeUpAttempts && !ok && !channel_.aborted(); ++attempt) {
        LetLineFallQuiet();
        Send(wake, sizeof wake);
        ok = WaitReply(1) && ReadAck();
    }
    channel_.ClearRx();
    return ok;
}

bool UpdateLink::Command(uint8_t code, bool wait)
{
    Send(code);
    if (!wait)
        return true;
    bool ok = WaitReply(1) && ReadAck();
    channel_.ClearRx();
    return ok;
}

bool UpdateLink::SetAddress(uint32_t address)
{
    if (!WakeUp() || !Command(wire::kCmdSetAddress))
        return false;
    auto bytes = wire::AddressBytes(address);
    Send(bytes.data(), bytes.size());
    return WaitReply(1) && ReadAck();
}

bool UpdateLink::ReadBlock(size_t count, uint8_t* buffer)
{
    if (!WakeUp() || !Command(wire::kCmdReadBlock))
        return false;
    Send(wire::ReadCountByte(count));
    const int expected = int(count) + 1;
    if (!WaitReply(expected))
        return false;
    uint8_t reply[257];
    if (channel_.port().read(reply, expected) != expected)
        return false;
    std::copy(reply, reply + count, buffer);
    return wire::BlockChecksumMatches(buffer, count, reply[count]);
}

bool UpdateLink::WriteBlock(size_t count, const uint8_t* data)
{
    if (!WakeUp())
        return false;
    const uint8_t head[] = {wire::kCmdWriteBlock, wire::WriteCountByte(count)};
    Send(head, sizeof head);
    if (!WaitReply(1) || !ReadAck())
        return false;
    for (size_t i = 0; i < count; ++i)
        Send(data[i]);
    // Send() cleared the input before the checksum went out; clearing it
    // again afterwards could throw away an acknowledgement already in.
    Send(wire::BlockChecksum(data, count));
    for (int round = 0; round < kReplyRounds; ++round) {
        if (channel_.port().inputCount() > 0)
            return ReadAck();
        if (channel_.aborted())
            return false;
        channel_.host().pump.pump();
        channel_.host().clock.sleepMs(kReplyPollMs);
    }
    return false;
}

bool UpdateLink::KeyPress(uint8_t key)
{
    bool ok = WakeUp() && Command(wire::kCmdKeyPress) && Command(key);
    channel_.host().clock.sleepMs(kKeyPauseMs);
    return ok;
}

bool UpdateLink::Restart()
{
    return WakeUp() && Command(wire::kCmdRestart, false);
}

bool UpdateLink::ReadBlockAt(uint32_t blockAddress, uint8_t* block)
{
    return SetAddress(blockAddress) && ReadBlock(wire::kBlockSize, block);
}

bool UpdateLink::ReadWord(uint32_t address, uint16_t& value)
{
    const uint32_t offset = address & 0x7F;
    if (offset > wire::kBlockSize - 2)
        return false; // a word never straddles two blocks
    uint8_t block[wire::kBlockSize];
    if (!ReadBlockAt(address & ~0x7Fu, block))
        return false;
    value = wire::BigEndianWord(block + offset);
    return true;
}

bool UpdateLink::ModifyBlock(uint32_t address, const uint8_t* bytes, size_t n)
{
    const uint32_t offset = address & 0x7F;
    if (offset + n > wire::kBlockSize)
        return false;
    const uint32_t blockAddress = address & ~0x7Fu;
    uint8_t block[wire::kBlockSize];
    if (!ReadBlockAt(blockAddress, block))
        return false;
    std::copy(bytes, bytes + n, block + offset);
    return SetAddress(blockAddress) && WriteBlock(wire::kBlockSize, block);
}

bool UpdateLink::WriteWord(uint32_t address, uint16_t value)
{
    const uint8_t bytes[] = {uint8_t(value >> 8), uint8_t(value & 0xFF)};
    return ModifyBlock(address, bytes, 2);
}

bool UpdateLink::WriteByte(uint32_t address, uint8_t value)
{
    return ModifyBlock(address, &value, 1);
}

bool UpdateLink::ReadProtectFlag(uint8_t& flag)
{
    if (!WakeUp())
        return false;
    Send(wire::kCmdReadProtect);
    if (!WaitReply(1))
        return false;
    return channel_.port().read(&flag, 1) == 1;
}

} // namespace qv
