// XSVF images played by the I/O module over JTAG, and the FPGA probes.
#include "firmware_codec.h"
#include "firmware_programmer.h"

#include "data/embedded_data.h"
#include "link/wire_protocol.h"

#include <algorithm>
#include <array>

namespace qv {

int FirmwareProgrammer::ProgramJtag(std::span<const uint8_t> image, const std::string& text, FirmwareDisplay display)
{
    if (const int refused = TransferPreconditions())
        return refused;
    display.startBar(fw::TransferSteps(image.size(), fw::kJtagBlock));
    channel_.rxMode = RxMode::Raw;
    channel_.ClearRx();
    if (!channel_.port().write(fw::kJtag))
        return kTransferStopped;
    if (const Reply first = WaitReply(kTransferStartPolls); first != Reply::Received)
        return first == Reply::Canceled ? kTransferCanceled : kTransferStopped;
    uint8_t c = uint8_t(channel_.accumulator[0]);

    // A resend before the first block sends this all-zero block, checksum 0.
    std::array<uint8_t, fw::kJtagBlock> block{};
    size_t offset = 0;
    int sends = 0; // of the block now held
    int padding = 0; // blocks asked for after the image ran out
    bool endOfData = false;
    for (int pass = 1; c == fw::kJtagNextBlock || c == fw::kJtagSendAgain; ++pass) {
        if (pass == 1)
            display.show("Erasing FPGA Flash - Please wait...");
        else if (pass == 2)
            display.show(text);
        if (c == fw::kJtagNextBlock) {
            sends = 0;
            std::fill(block.begin() + 1, block.end(), fw::kJtagPadding);
            const size_t n = endOfData ? 0 : std::min(fw::kJtagPayload, image.size() - offset);
            if (n == 0 && ++padding > kPaddingBlocks)
                return kTransferOverrun;
            if (!endOfData) {
                std::copy_n(image.begin() + std::ptrdiff_t(offset), n, block.begin() + 1);
                offset += n;
                AdvanceBars(display.bars, 1, int64_t(fw::kJtagBlock));
            }
            block[0] = wire::Checksum55(block.data() + 1, fw::kJtagPayload);
        }
        // A block the module keeps refusing ends the image: what follows is padding.
        if (++sends > kJtagResends)
            endOfData = true;
        if (const int stopped = ExchangeBlock(block.data(), block.size(), c))
            return stopped;
    }
    return EndTransfer(c, display);
}

int FirmwareProgrammer::GetFpgaType()
{
    io_.SetIoMode(true);
    const bool serial = io_.status.interface != at::kInterfaceUsb;
    if (serial)
        io_.SetLinkSpeed(true);
    int type = 0;
    if (ProgramJtag(EmbeddedData("VP_20"), "", {}) == XSVF_SUCCESS)
        type = 1;
    else if (ProgramJtag(EmbeddedData("VP_30"), "", {}) == XSVF_SUCCESS)
        type = 2;
    if (serial)
        io_.SetLinkSpeed(false);
    return type;
}

} // namespace qv
