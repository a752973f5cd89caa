#include "intel_hex.h"

#include <algorithm>
#include <charconv>

namespace qv::ihex {

namespace {

// ":" and the count, address, type and checksum bytes.
constexpr size_t kFixedDigits = 1 + 2 * 5;

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view line)
{
    while (!line.empty() && IsBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && IsBlank(line.back()))
        line.remove_suffix(1);
    return line;
}

// The data size a record type must have; -1 when any size will do.
int FixedSize(uint8_t type)
{
    switch (type) {
    case kEndOfFile:
        return 0;
    case kExtendedSegmentAddress:
    case kExtendedLinearAddress:
        return 2;
    case kStartSegmentAddress:
    case kStartLinearAddress:
        return 4;
    default:
        return -1;
    }
}

void AppendHex(std::string& text, uint8_t byte)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
}

} // namespace

LineError ParseRecord(std::string_view line, Record& record)
{
    line = Trimmed(line);
    if (line.size() < kFixedDigits || line[0] != ':' || (line.size() - 1) % 2 != 0)
        return LineError::NotARecord;
    std::vector<uint8_t> bytes;
    bytes.reserve((line.size() - 1) / 2);
    for (size_t i = 1; i < line.size(); i += 2) {
        // Unsigned: no sign, prefix or blank is taken.
        unsigned value = 0;
        const char* pair = line.data() + i;
        const auto [end, ec] = std::from_chars(pair, pair + 2, value, 16);
        if (ec != std::errc() || end != pair + 2)
            return LineError::NotARecord;
        bytes.push_back(uint8_t(value));
    }
    const uint8_t type = bytes[3];
    if (type > kStartLinearAddress)
        return LineError::NotARecord;
    const size_t count = bytes[0];
    const int fixed = FixedSize(type);
    if (bytes.size() != count + 5 || (fixed >= 0 && count != size_t(fixed)))
        return LineError::BadLength;
    uint8_t sum = 0;
    for (uint8_t b : bytes)
        sum = uint8_t(sum + b);
    if (sum != 0)
        return LineError::BadChecksum;

    record.type = type;
    record.address = uint16_t(bytes[1] << 8 | bytes[2]);
    record.data.assign(bytes.begin() + 4, bytes.end() - 1);
    record.checksum = bytes.back();
    return LineError::None;
}

uint8_t RecordChecksum(uint8_t type, uint16_t address, std::span<const uint8_t> data)
{
    uint8_t sum = uint8_t(data.size() + (address >> 8) + (address & 0xFF) + type);
    for (uint8_t b : data)
        sum = uint8_t(sum + b);
    return uint8_t(-sum);
}

std::string FormatRecord(const Record& record)
{
    std::string text = ":";
    AppendHex(text, uint8_t(record.data.size()));
    AppendHex(text, uint8_t(record.address >> 8));
    AppendHex(text, uint8_t(record.address));
    AppendHex(text, record.type);
    for (uint8_t b : record.data)
        AppendHex(text, b);
    AppendHex(text, RecordChecksum(record.type, record.address, record.data));
    return text;
}

bool AddressBase::apply(const Record& record)
{
    if (record.data.size() != 2)
        return false;
    const uint32_t value = uint32_t(record.data[0] << 8 | record.data[1]);
    if (record.type == kExtendedSegmentAddress)
        base_ = value << 4;
    else if (record.type == kExtendedLinearAddress)
        base_ = value << 16;
    else
        return false;
    return true;
}

HexText ParseHexText(std::string_view text)
{
    HexText result;
    size_t lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos)
            end = text.size();
        else if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            end += 2;
        else
            end += 1;
        text.remove_prefix(end);

        if (Trimmed(line).empty())
            continue;
        Record record;
        const LineError error = ParseRecord(line, record);
        if (error != LineError::None) {
            result.problems.push_back({lineNumber, error});
            continue;
        }
        result.records.push_back(std::move(record));
        result.recordLines.push_back(lineNumber);
    }
    return result;
}

AddressRange DataRange(const std::vector<Record>& records)
{
    AddressRange range;
    AddressBase base;
    for (const Record& r : records) {
        if (base.apply(r) || r.type != kData || r.data.empty())
            continue;
        const uint32_t first = base.addressOf(r);
        const uint32_t last = first + uint32_t(r.data.size() - 1);
        range.first = range.empty ? first : std::min(range.first, first);
        range.last = range.empty ? last : std::max(range.last, last);
        range.empty = false;
    }
    return range;
}

std::string LineErrorText(LineError error)
{
    switch (error) {
    case LineError::None:
        return "";
    case LineError::NotARecord:
        return "a line that is not a record";
    case LineError::BadLength:
        return "bad length";
    case LineError::BadChecksum:
        return "bad record checksum";
    }
    return "";
}

std::vector<Record> ImageRecords(std::span<const uint8_t> image, uint32_t start, size_t perRecord)
{
    perRecord = std::clamp<size_t>(perRecord, 1, 255);
    std::vector<Record> records;
    uint32_t upper = 0;
    bool first = true;
    size_t done = 0;
    while (done < image.size()) {
        const uint32_t address = start + uint32_t(done);
        if (first || address >> 16 != upper) {
            upper = address >> 16;
            records.push_back({kExtendedLinearAddress, 0, {uint8_t(upper >> 8), uint8_t(upper)}, 0});
            first = false;
        }
        // A record never runs over a 64 KiB boundary: its address would wrap.
        const size_t toBoundary = 0x10000 - (address & 0xFFFF);
        const size_t n = std::min({perRecord, image.size() - done, toBoundary});
        const auto data = image.subspan(done, n);
        records.push_back({kData, uint16_t(address), {data.begin(), data.end()}, 0});
        done += n;
    }
    records.push_back({kEndOfFile, 0, {}, 0});
    for (Record& r : records)
        r.checksum = RecordChecksum(r.type, r.address, r.data);
    return records;
}

} // namespace qv::ihex
