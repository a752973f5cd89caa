// Packages come from disks and downloads: the reader, both programs' checks
// and the item selection over any bytes, and once more with the CRC made to
// fit, so that hostile tables and items get past the CRC to the reader.
#include "fuzz/fuzz_input.h"
#include "packages/cdp_check.h"
#include "packages/cdp_format.h"
#include "packages/cdp_selection.h"
#include "packages/cdp_writer.h"

#include <vector>

using namespace qv;
using qv::fuzz::Expect;

namespace {

void CheckPackage(std::span<const uint8_t> file)
{
    for (Program program : {Program::Matrix, Program::Update}) {
        const CdpCheck check = VerifyFileHeader(program, file);
        Expect(check.valid == check.message.empty(), "a check fails with a message");
        if (!check.valid)
            continue;
        for (const CdpItem& item : check.package.items) {
            Expect(item.payload.data() >= file.data() &&
                       item.payload.data() + item.payload.size() <= file.data() + file.size(),
                   "payloads lie within the file");
            Expect(item.payload.size() == CdpPayloadLength(item.kind, item.size), "payloads as long as their kind");
            item.value();
        }
        for (int type = -1; type <= 34; ++type)
            for (size_t index : SelectItems(check.package, type))
                Expect(index < check.package.items.size(), "selected items exist");
        MeantForInstrument(check.package, 0);
    }
}

// What a valid package says, written again, reads back the same.
void CheckRewrite(std::span<const uint8_t> file)
{
    const auto package = ReadCdp(file);
    if (!package)
        return;
    CdpDraft draft;
    draft.version = package->header.version;
    draft.description = package->header.description;
    for (const CdpItem& item : package->items) {
        CdpDraftItem d{item.mask, item.kind, item.address, item.description,
                       std::vector<uint8_t>(item.payload.begin(), item.payload.end()), item.size};
        draft.items.push_back(std::move(d));
    }
    std::string error;
    const auto rebuilt = BuildCdp(draft, error);
    if (!rebuilt)
        return;
    const auto again = ReadCdp(*rebuilt);
    Expect(again.has_value(), "a written package reads back");
    Expect(again->items.size() == package->items.size(), "as many items");
    for (size_t i = 0; i < package->items.size(); ++i) {
        const CdpItem& a = package->items[i];
        const CdpItem& b = again->items[i];
        Expect(a.mask == b.mask && a.kind == b.kind && a.size == b.size && a.address == b.address &&
                   a.description == b.description,
               "item headers read back");
        Expect(std::equal(a.payload.begin(), a.payload.end(), b.payload.begin(), b.payload.end()),
               "payloads read back");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> file(data, size);
    CheckPackage(file);
    ReadCdpHeader(file);
    if (size >= 4)
        ReadCdpItem(file, GetLe32(file, 0));

    if (size >= kCdpHeaderSize) {
        std::vector<uint8_t> fitted(data, data + size);
        PatchCdpCrc(fitted);
        CheckPackage(fitted);
        CheckRewrite(fitted);
    }
    return 0;
}
