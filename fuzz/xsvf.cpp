// XSVF images the user picks for the FPGA: the reader over any bytes, the
// listing and error texts, and the writer, whose bytes read back as the
// instructions they were made from.
#include "fuzz/fuzz_input.h"
#include "updater/xsvf.h"

using namespace qv;
using namespace qv::xsvf;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    const Listing listing = Read(bytes);
    Expect(listing.instructions.size() == listing.offsets.size(), "an offset per instruction");
    for (const Instruction& instruction : listing.instructions)
        Describe(instruction);
    if (listing.result != DecodeResult::Ok) {
        Expect(listing.errorOffset <= size, "errors lie within the image");
        Expect(!DescribeError(listing, bytes).empty(), "errors are described");
    }
    Expect(listing.result != DecodeResult::Ok || listing.complete, "a read without error reached XCOMPLETE");
    if (listing.complete)
        Expect(listing.offsets.back() + 1 + listing.trailingBytes == size, "XCOMPLETE is one byte");

    if (listing.result == DecodeResult::Ok) {
        const std::vector<uint8_t> encoded = Encode(listing.instructions);
        const Listing again = Read(encoded);
        Expect(again.result == DecodeResult::Ok && again.instructions == listing.instructions,
               "written instructions read back");
    }
    return 0;
}
