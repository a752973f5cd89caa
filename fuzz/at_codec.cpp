// Replies of the I/O-interface module as the decoders get them, line end
// removed: every "@AT" record decoder, the MAC text, and the replies of the
// firmware and fast flash transfers, over any bytes.
#include "fuzz/fuzz_input.h"
#include "updater/at_codec.h"
#include "updater/firmware_codec.h"
#include "updater/flash_codec.h"
#include "updater/io_results.h"
#include "updater/mac_address.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const char letter = char(input.byte());
    const std::string reply = input.restText();

    at::ClassifyModeReply(reply);
    at::IsEraseAcknowledged(reply);

    at::IoStatus status;
    status.boardCode = "unchanged";
    const int statusResult = at::DecodeIoStatus(reply, status);
    if (statusResult == IOSTAT_ERROR_DATACOUNT)
        Expect(status.boardCode == "unchanged", "a short status record stores nothing");
    else
        Expect(status.boardCode.size() == 3 && status.macText.size() == 12, "status fields of their sizes");
    at::BoardCodeBlank(status.boardCode);
    at::IsUnsupportedMeter(status.productCode);
    MacBytes mac{};
    ParseMacText(status.macText, mac);
    ParseMacText(reply, mac);
    MacAddressText(mac);
    IncorrectMacText(mac);

    at::IoEthernet ethernet;
    at::DecodeIoEthernet(reply, ethernet);
    at::FlashIdentity identity;
    int spiMode = 0;
    at::DecodeFlashIdentity(reply, identity, spiMode);
    std::array<uint8_t, 16> block{};
    at::DecodeMainboardBlock(reply, block);
    at::DecodeModuleByte(reply, letter);
    at::ModuleName(at::DecodeModuleFirmware(reply));

    fw::HexReplyText(fw::ClassifyHexReply(reply));
    const unsigned capacity = flash::BlockCapacity(reply);
    flash::WriteBlocksFor(reply.size(), capacity);
    flash::ReadBlockIntact(reply);
    return 0;
}
