// The simulated I/O module plays whatever XSVF the host sends, in the
// pieces it arrives in, against the simulated JTAG chain; it ends with a
// status byte whatever the stream holds.
#include "fuzz/fuzz_input.h"
#include "sim/xsvf_player.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const size_t piece = input.byte() + 1;
    const size_t maxVectorBytes = input.byte() + 1;
    const auto stream = input.rest();
    sim::JtagChain chain(0x0123F0F3);
    sim::XsvfPlayer player(chain, maxVectorBytes);
    for (size_t at = 0; at < stream.size() && !player.finished(); at += piece)
        player.feed(stream.subspan(at, std::min(piece, stream.size() - at)));
    if (player.finished())
        Expect(player.status() == sim::XsvfPlayer::kSuccess || player.status() == sim::XsvfPlayer::kTdoMismatch ||
                   player.status() == sim::XsvfPlayer::kIllegalCommand ||
                   player.status() == sim::XsvfPlayer::kDataOverflow,
               "one of the module's status bytes");
    return 0;
}
