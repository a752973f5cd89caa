// QV-Update's input box takes anything the user types or drops: command
// recognition and every file-type rule, with the file there or not.
#include "fuzz/fuzz_input.h"
#include "updater/input_recognition.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const bool exists = input.byte() & 1;
    const std::string text = input.restText();

    const InputRecognition recognised = RecognizeInput(text, [&](const std::string&) { return exists; });
    Expect(recognised.kind != InputKind::None || recognised.page.empty(), "nothing recognised shows no page");
    const int code = ModuleFirmwareCode(text);
    Expect(code == -1 || (code >= 0 && code <= 0xFF), "module codes are bytes");
    Expect((code >= 0) == HasModuleFirmwareExtension(text), "a code for module firmware names only");
    const int sector = DspStartSector(text);
    Expect(sector == -1 || (sector >= 0 && sector <= 0xFFF), "start sectors of three digits");
    Expect((sector >= 0) == HasDspExtension(text), "a sector for DSP names only");
    IsKnownFileType(text);
    EndsWithNoCase(text, ".CDP");
    return 0;
}
