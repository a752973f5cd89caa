// The FPGAs of the expansion modules, programmed over the SPI UART.
#include "firmware_codec.h"
#include "firmware_programmer.h"

#include <algorithm>
#include <array>

namespace qv {

namespace {

// Results after which another attempt cannot do better.
bool EndsAttempts(int result)
{
    switch (result) {
    case XSVF_SUCCESS:
    case XSVF_NOT_SUPPORTED:
    case XSVF_NOT_RUNMODE:
    case kTransferStopped:
    case kTransferCanceled:
    case kTransferOverrun:
        return true;
    default:
        return false;
    }
}

} // namespace

int FirmwareProgrammer::ProgramSlotFpga(int slot, uint8_t moduleId, const std::string& text,
                                        std::span<const uint8_t> image, FirmwareDisplay display)
{
    int result = XSVF_SUCCESS;
    for (int attempt = 1; attempt <= kSlotAttempts; ++attempt) {
        int blocks = 0;
        result = SlotAttempt(slot, moduleId, text, image, display, blocks);
        // The module and the link go back to normal after a Cancel too.
        if (result == kTransferCanceled)
            channel_.ResetAbort();
        io_.SetIoMode(true);
        io_.SetSpiUartDestination(at::kDspDestination);
        io_.SetModuleLinkSpeed(false);
        if (EndsAttempts(result))
            break;
        if (attempt < kSlotAttempts && display.bars.overall)
            AdvanceBars({nullptr, display.bars.overall}, 0, -int64_t(blocks) * int64_t(fw::kSlotBlock));
    }
    return result;
}

int FirmwareProgrammer::SlotAttempt(int slot, uint8_t moduleId, const std::string& text,
                                    std::span<const uint8_t> image, FirmwareDisplay display, int& blocks)
{
    if (!io_.SetSpiUartDestination(uint8_t(slot)))
        return kSpiDestinationRefused;
    if (!io_.SetModuleLinkSpeed(true))
        return kModuleLinkSpeedRefused;
    const int transparent = io_.SetIoMode(false);
    // A reply that is neither "OK" nor "Not OK" is no switch either.
    if (transparent != ATCMD_OK)
        return transparent == 0 ? ATCMD_UNKNOWN : transparent;
    const uint8_t reported = io_.QueryModuleByte('c');
    if (reported != moduleId) {
        lastReply_ = reported;
        return kSlotModuleMismatch;
    }
    if (display.bars.item)
        display.bars.item->setText(display.bars.item->percent());
    if (const int refused = TransferPreconditions())
        return refused;
    return SendSlotImage(slot, text, image, display, blocks);
}

int FirmwareProgrammer::SendSlotImage(int slot, const std::string& text, std::span<const uint8_t> image,
                                      FirmwareDisplay display, int& blocks)
{
    display.startBar(fw::TransferSteps(image.size(), fw::kSlotBlock));
    channel_.rxMode = RxMode::Raw;
    channel_.ClearRx();
    if (!channel_.port().writeByte(fw::kSlotStart))
        return kTransferStopped;
    uint8_t s = 255;
    if (channel_.WaitBytes(kSlotStartPolls, 2)) {
        display.show("JTAG Programming started.");
        s = uint8_t(channel_.accumulator[1]);
    } else if (channel_.cancel) {
        return kTransferCanceled;
    }
    size_t offset = 0;
    int padding = 0; // blocks asked for after the image ran out
    while (s == fw::kSlotNextBlock) {
        ++blocks;
        if (blocks == 1)
            display.show("Erasing FPGA Flash in slot #" + std::to_string(slot) + " - Please wait...");
        else if (blocks == kSlotEraseBlocks + 1)
            display.show(text);
        std::array<uint8_t, fw::kSlotBlock> block{};
        const size_t n = std::min(block.size(), image.size() - offset);
        if (n == 0 && ++padding > kPaddingBlocks)
            return kTransferOverrun;
        std::copy_n(image.begin() + std::ptrdiff_t(offset), n, block.begin());
        offset += n;
        AdvanceBars(display.bars, 1, int64_t(fw::kSlotBlock));
        if (const int stopped = ExchangeBlock(block.data(), block.size(), s))
            return stopped;
    }
    EndTransfer(s, display);
    display.show("Please wait...");
    return s;
}

} // namespace qv
