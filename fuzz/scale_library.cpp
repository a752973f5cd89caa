// Scale library files (.DAT) and the tables the editor builds from them: a
// library reads and writes back byte for byte, and every scale it holds
// either becomes a table whose stream reads back whole or is refused with a
// message. Inputs shorter than a library fill its start.
#include "fuzz/fuzz_input.h"
#include "scale/number_text.h"
#include "scale/preview_geometry.h"
#include "scale/scale_codes.h"
#include "scale/scale_editor.h"
#include "scale/scale_library.h"
#include "scale/scale_stream.h"

#include <algorithm>

using namespace qv;
using qv::fuzz::Expect;

namespace {

void BuildTable(ScaleRecord record, bool digital)
{
    ScaleTable table{};
    std::string error;
    size_t used = 0;
    for (const ScaleLine& line : record.lines)
        used += IsUsedKind(line.kind) ? 1 : 0;
    if (!MakeScale(record, digital, FormatScaleValue(record.referenceDb()), table, error)) {
        Expect(!error.empty(), "a refused scale says why");
        return;
    }
    const ScaleStream stream = ReadScaleStream(table);
    Expect(stream.complete && stream.groups.size() == table[kWordGroups], "a built table reads back whole");
    size_t amplitudes = 0;
    for (const ScaleLineGroup& group : stream.groups) {
        amplitudes += group.amplitudes.size();
        for (uint16_t a : group.amplitudes) {
            Expect(a >= table[kWordLowest] && a <= table[kWordHighest], "lines lie between lowest and highest");
            PreviewY(table, a);
        }
    }
    Expect(amplitudes == used, "one amplitude per line");
    ScaleTableBytes(table);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    ScaleLibrary library;
    ScaleLibraryFromBytes(bytes, library);

    std::vector<uint8_t> file(kScaleLibrarySize, 0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), file.size()), file.begin());
    Expect(ScaleLibraryFromBytes(file, library), "a library of its size reads");
    Expect(ScaleLibraryBytes(library) == file, "a library writes back as read");

    for (size_t n = 0; n < kScaleCount; ++n) {
        const ScaleRecord& record = library.scales[n];
        ScaleListEntry(n + 1, record);
        CodeText(kKeyNoTexts, record.keyNo);
        CodeText(kDynamicsTexts, record.dynamics);
        for (const ScaleLine& line : record.lines) {
            CodeText(kLineKindTexts, line.kind);
            FormatScaleValue(line.valueDb());
        }
        ScaleSlotAddress(record.keyNo);
        const std::string memo = NoteAsMemoText(record.noteText());
        Expect(NoteAsMemoText(MemoTextAsNote(memo)) == memo, "the memo reads back from its note");
        BuildTable(record, true);
        BuildTable(record, false);
        // The records past the input are all zero: one of them is enough.
        if (size <= n * kScaleRecordSize)
            break;
    }
    return 0;
}
