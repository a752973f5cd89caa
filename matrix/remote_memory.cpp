#include "remote_memory.h"

#include "config/config_image.h"
#include "link/wire_protocol.h"

#include <array>
#include <cstring>

namespace qv {

bool RemoteMemory::writeBlock(uint32_t address, const std::function<void(uint8_t* block, size_t offset)>& change)
{
    MatrixLink& link = transfer_.link();
    HostServices& host = transfer_.channel().host();
    const uint32_t blockAddress = address & ~uint32_t(wire::kBlockSize - 1);

    link.ForcedWakeUp();
    if (!link.WriteBDMAaddr(blockAddress))
        return false;
    std::array<uint8_t, wire::kBlockSize> block{};
    if (!link.ReadBDMA(wire::kCmdReadBlock, block.size(), block.data())) {
        prompter_.error("BDMA Error");
        return false;
    }
    change(block.data(), address - blockAddress);

    // Block writes need the protect flag set, which a restart clears. The
    // instrument still listens after the read, as the flag query expects.
    const auto flag = link.ReadProtectFlag();
    if (flag.ok && flag.reply == 0)
        link.ToggleProtectFlag();
    if (!link.WriteBDMAaddr(blockAddress))
        return false;
    bool written = false;
    for (int attempt = 0; attempt < kWriteAttempts && !written; ++attempt) {
        host.pump.pump();
        if (transfer_.cancel)
            break;
        host.clock.sleepMs(kWriteRepeatMs);
        written = link.WriteBDMA(block.size(), block.data());
    }
    host.clock.sleepMs(kAfterWriteMs);
    return written;
}

bool RemoteMemory::writeBlockText(uint32_t address, const std::string& text)
{
    return writeBlock(address, [&](uint8_t* block, size_t offset) {
        for (size_t k = 0; k < text.size(); ++k) {
            const size_t at = offset + (k ^ 1);
            if (at < wire::kBlockSize)
                block[at] = uint8_t(text[k]);
        }
    });
}

bool RemoteMemory::patchBlock(uint32_t blockAddress, const std::vector<std::pair<int, uint8_t>>& bytes)
{
    return writeBlock(blockAddress, [&](uint8_t* block, size_t offset) {
        for (const auto& [at, value] : bytes)
            if (at >= 0 && offset + size_t(at) < wire::kBlockSize)
                block[offset + size_t(at)] = value;
    });
}

bool RemoteMemory::writeOptionsBlock(const ConfigImage& image)
{
    const int offset = image.addressTable().MainOptionAdr & ~int(wire::kBlockSize - 1);
    return writeBlock(kImageBaseAddress + uint32_t(offset), [&](uint8_t* block, size_t) {
        std::memcpy(block, image.bytes().data() + offset, wire::kBlockSize);
    });
}

} // namespace qv
