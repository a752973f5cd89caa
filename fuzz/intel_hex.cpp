// Intel HEX text from firmware files: every line parses or has its problem
// named, records format and parse back the same, and the data range lies
// the right way round. The writer's records of any image read back too.
#include "fuzz/fuzz_input.h"
#include "updater/intel_hex.h"

using namespace qv;
using namespace qv::ihex;
using qv::fuzz::Expect;

namespace {

void ExpectReadsBack(const Record& record)
{
    Record again;
    Expect(ParseRecord(FormatRecord(record), again) == LineError::None, "a formatted record parses");
    Expect(again.type == record.type && again.address == record.address && again.data == record.data,
           "a record parses back as formatted");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const HexText hex = ParseHexText(text);
    Expect(hex.records.size() == hex.recordLines.size(), "a line number per record");
    for (const Record& record : hex.records) {
        Expect(record.checksum == RecordChecksum(record.type, record.address, record.data), "checksums that fit");
        ExpectReadsBack(record);
    }
    for (const LineProblem& problem : hex.problems)
        Expect(!LineErrorText(problem.error).empty(), "problems are named");
    const AddressRange range = DataRange(hex.records);
    Expect(range.empty || range.first <= range.last, "a range from first to last");

    // The same bytes as an image, placed where their first four bytes say.
    qv::fuzz::FuzzInput input(data, size);
    uint32_t start = 0;
    for (int i = 0; i < 4; ++i)
        start = start << 8 | input.byte();
    const size_t perRecord = input.byte();
    const auto image = input.rest();
    const std::vector<Record> records = ImageRecords(image, start, perRecord);
    for (const Record& record : records)
        ExpectReadsBack(record);
    const AddressRange written = DataRange(records);
    Expect(written.empty == image.empty(), "an image's records hold its data");
    if (!image.empty() && uint64_t(start) + image.size() <= 0x100000000)
        Expect(written.first == start && written.last == start + image.size() - 1, "at the image's addresses");
    return 0;
}
