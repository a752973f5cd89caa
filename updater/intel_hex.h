#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Intel HEX text: the I/O module's firmware files and our FPGA-loader items.
// A record is ":" LL AAAA TT DD... CC in hexadecimal digits; CC makes the sum
// of all its bytes zero modulo 256.
namespace qv::ihex {

enum RecordType : uint8_t {
    kData = 0x00,
    kEndOfFile = 0x01,
    kExtendedSegmentAddress = 0x02, // base = value x 16
    kStartSegmentAddress = 0x03,
    kExtendedLinearAddress = 0x04,  // base = value << 16
    kStartLinearAddress = 0x05,
};

struct Record {
    uint8_t type = kData;
    uint16_t address = 0;
    std::vector<uint8_t> data;
    uint8_t checksum = 0; // as read; the writer computes its own
};

enum class LineError {
    None,
    NotARecord,  // no ":", a character that is not a hex digit, too short, unknown type
    BadLength,   // the count does not match the digits, or the type's fixed size
    BadChecksum,
};

// One line, with or without its line end (surrounding blanks, "\r" and "\n"
// are ignored).
LineError ParseRecord(std::string_view line, Record& record);

// The checksum byte of a record with these fields.
uint8_t RecordChecksum(uint8_t type, uint16_t address, std::span<const uint8_t> data);

// ":LLAAAATT...CC" in upper case with a freshly computed checksum, no line end.
std::string FormatRecord(const Record& record);

// The absolute address of data records, after the segment and linear
// address records that came before them.
class AddressBase {
public:
    // Takes an address record into account; false for any other type.
    bool apply(const Record& record);
    uint32_t addressOf(const Record& record) const { return base_ + record.address; }

private:
    uint32_t base_ = 0;
};

struct LineProblem {
    size_t line = 0; // 1-based
    LineError error = LineError::None;
};

struct HexText {
    std::vector<Record> records;       // the well-formed ones, in order
    std::vector<size_t> recordLines;   // 1-based line of each record
    std::vector<LineProblem> problems; // blank lines are not problems
};

// Splits text at line ends ("\r\n", "\n" or "\r") and parses every line.
HexText ParseHexText(std::string_view text);

struct AddressRange {
    bool empty = true;
    uint32_t first = 0;
    uint32_t last = 0; // inclusive
};

// The addresses the data records cover.
AddressRange DataRange(const std::vector<Record>& records);

// "a line that is not a record", "bad length", "bad record checksum".
std::string LineErrorText(LineError error);

// Data records of at most perRecord bytes for image placed at start, an
// extended linear address record wherever the upper 16 address bits change
// (also before the first record), and the end-of-file record.
std::vector<Record> ImageRecords(std::span<const uint8_t> image, uint32_t start, size_t perRecord);

} // namespace qv::ihex
