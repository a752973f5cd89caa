// Scale tables come from the image's scale slots and the instrument's
// memory: the stream reader and the preview geometry over any 128 words.
#include "fuzz/fuzz_input.h"
#include "scale/preview_geometry.h"
#include "scale/scale_stream.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    ScaleTable table{};
    for (uint16_t& word : table)
        word = input.word();

    const ScaleStream stream = ReadScaleStream(table);
    size_t words = kWordStream + 1;
    for (const ScaleLineGroup& group : stream.groups) {
        words += 2 + group.amplitudes.size();
        for (uint16_t a : group.amplitudes)
            PreviewY(table, a);
    }
    for (const std::string& label : stream.labels) {
        Expect(!label.empty() && label.size() <= kMaxLabelLength, "labels of 1 to 4 characters");
        words += label.size() <= 2 ? 2 : 3;
    }
    Expect(words <= kScaleTableWords || !stream.complete, "a whole stream fits the table");
    Expect(stream.groups.size() <= table[kWordGroups], "no more groups than the table says");
    for (uint16_t a : {uint16_t(0), uint16_t(1), table[kWordLowest], table[kWordHighest], uint16_t(0xFFFF)}) {
        const int y = PreviewY(table, a);
        Expect(y >= -kPreviewLimit && y <= kPreviewLimit, "positions are clamped");
        DisplayLevel(table[kWordLaw], table[kWordLawA], table[kWordLawB], a);
    }
    return 0;
}
