// LCD dumps (.COD) opened in the screen grab: any file, longer or shorter
// than video memory, decoded for every screen layout.
#include "fuzz/fuzz_input.h"
#include "platform/host/event_pump.h"
#include "service/video_memory.h"

#include <algorithm>
#include <memory>

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    auto buffer = std::make_unique<VideoBuffer>();
    std::string error;
    Expect(ReadVideoFile(qv::fuzz::ScratchFile("screen.cod", bytes), *buffer, error), "a dump reads");
    Expect(std::equal(bytes.begin(), bytes.begin() + long(std::min(bytes.size(), buffer->size())), buffer->begin()),
           "the dump's start fills the buffer");
    CallbackEventPump pump;
    for (int screen = 0; screen <= kScreenCount + 1; ++screen)
        ScreenSourceFor(kThreeScreenType, screen);
    const uint32_t stride = size ? data[0] * 16 : ScreenSourceFor(0, 1).stride;
    const LcdPicture picture = DecodeVideoMemory(*buffer, stride, pump);
    for (uint8_t code : picture.codes)
        Expect(code <= LcdWhite, "colour codes of 3 bits");
    return 0;
}
