// The fields of "Read Mainboard Flash." as typed: file, address and sector
// count, checked against flashes of any size. The input: a byte for the
// flash size, then the three fields a line each.
#include "fuzz/fuzz_input.h"
#include "link/elapsed_text.h"
#include "updater/flash_codec.h"
#include "updater/flash_read_page.h"

using namespace qv;
using qv::fuzz::Expect;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    qv::fuzz::FuzzInput input(data, size);
    const int flashSectors = input.byte() * 64;
    const bool keepName = input.byte() & 1;
    FlashReadFields fields;
    fields.file = input.line();
    fields.address = input.line();
    fields.sectorCount = input.line();

    const FlashReadCheck check = CheckFlashRead(fields, flashSectors, keepName);
    if (check.error.empty()) {
        Expect(check.address % flash::kSectorBytes == 0, "reads start at a sector");
        Expect(check.sectors >= 1 && check.address / flash::kSectorBytes + check.sectors <= size_t(flashSectors),
               "reads lie within the flash");
        Expect(flash::FitSectors(check.address, check.sectors).has_value() || flashSectors > 0xFFFF,
               "a read the flash holds fits the transfer header");
    }
    SectorExtension(uint32_t(input.byte()) << 8);
    ElapsedText(int64_t(input.word()) * 1000);
    return 0;
}
