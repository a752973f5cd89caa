// Package manifests are text that service staff write by hand: the parser,
// the text escapes both ways and the package built from what it accepts.
#include "fuzz/fuzz_input.h"
#include "packages/cdp_manifest.h"
#include "packages/cdp_reader.h"

#include <array>
#include <filesystem>

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto unescaped = UnescapeCdpText(text);
    if (unescaped)
        Expect(UnescapeCdpText(EscapeCdpText(*unescaped)) == unescaped, "escaped text reads back");
    Expect(UnescapeCdpText(EscapeCdpText(text)) == text, "any text escapes and reads back");

    // "@data.bin" names a data file next to the manifest.
    static const std::array<uint8_t, 5> block{1, 2, 3, 4, 5};
    static const std::string folder =
        std::filesystem::path(qv::fuzz::ScratchFile("data.bin", block)).parent_path().string();
    std::string error;
    const auto draft = ParseCdpManifest(text, folder, "fuzz.txt", error);
    Expect(draft.has_value() == error.empty(), "a refused manifest says why");
    if (!draft)
        return 0;
    const auto package = BuildCdp(*draft, error);
    if (!package)
        return 0;
    const auto read = ReadCdp(*package);
    Expect(read && read->items.size() == draft->items.size(), "a built package reads back");
    for (size_t i = 0; i < draft->items.size(); ++i) {
        const CdpDraftItem& d = draft->items[i];
        const CdpItem& item = read->items[i];
        Expect(d.kind == item.kind && d.mask == item.mask && d.address == item.address &&
                   d.description == item.description &&
                   std::equal(d.payload.begin(), d.payload.end(), item.payload.begin(), item.payload.end()),
               "items as the manifest says");
    }
    return 0;
}
