#include "io_boot_loader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <map>

namespace qv::sim {

namespace {

// Flash holding the factory RUN code reads as anything but erased.
constexpr uint8_t kFactoryByte = 0x00;
constexpr uint8_t kErased = 0xFF;
// ":" and count, address, type and checksum in hexadecimal.
constexpr size_t kRecordFixedDigits = 11;

std::string errorLine(int code)
{
    static const std::map<int, std::string> texts{
        {500, "E500 HEX record error"},
        {501, "E501 Flash not erased"},
        {502, "E502 CRC error"},
        {503, "E503 Address error"},
    };
    const auto text = texts.find(code);
    return text != texts.end() ? text->second : "E" + std::to_string(code);
}

// The record's byte count, from the two digits after the colon.
size_t recordCount(const std::string& record)
{
    unsigned count = 0;
    std::from_chars(record.data() + 1, record.data() + 3, count, 16);
    return count;
}

} // namespace

IoBootLoader::IoBootLoader() : flash_(kIoFlashSize, kFactoryByte)
{
}

void IoBootLoader::erase()
{
    std::fill(flash_.begin() + kIoApplicationStart, flash_.end(), kErased);
    replaced_ = true;
}

void IoBootLoader::startDownload()
{
    downloading_ = true;
    failed_ = false;
    record_.clear();
    base_ = {};
    records_ = 0;
}

bool IoBootLoader::receive(uint8_t byte, const IoModuleOptions& options, std::vector<uint8_t>& out)
{
    if (byte == '@') {
        downloading_ = false;
        return false;
    }
    if (failed_)
        return true;
    if (record_.empty()) {
        if (byte == ':')
            record_ = ":";
        else if (!std::isspace(byte))
            fail(500, options, out);
        return true;
    }
    // A line end inside a record cuts it short.
    if (!std::isxdigit(byte)) {
        fail(500, options, out);
        return true;
    }
    record_ += char(byte);
    if (record_.size() < 3 || record_.size() < kRecordFixedDigits + 2 * recordCount(record_))
        return true;
    ihex::Record record;
    if (ihex::ParseRecord(record_, record) == ihex::LineError::None)
        take(record, options, out);
    else
        fail(500, options, out);
    record_.clear();
    return true;
}

void IoBootLoader::take(const ihex::Record& record, const IoModuleOptions& options, std::vector<uint8_t>& out)
{
    ++records_;
    if (options.hexFault != 0 && records_ == options.hexFaultRecord) {
        fail(options.hexFault, options, out);
        return;
    }
    if (base_.apply(record))
        return;
    if (record.type == ihex::kData) {
        if (const int error = program(record))
            fail(error, options, out);
    } else if (record.type == ihex::kEndOfFile) {
        downloading_ = false;
        IoFirmwareHeader header;
        if (runCode(header) == IoFirmwareCheck::BadCrc)
            fail(502, options, out);
    }
}

int IoBootLoader::program(const ihex::Record& record)
{
    const uint64_t first = base_.addressOf(record);
    if (first < kIoApplicationStart || first + record.data.size() > kIoFlashSize)
        return 503;
    const auto at = flash_.begin() + std::ptrdiff_t(first);
    if (!std::all_of(at, at + std::ptrdiff_t(record.data.size()), [](uint8_t b) { return b == kErased; }))
        return 501;
    std::copy(record.data.begin(), record.data.end(), at);
    return 0;
}

void IoBootLoader::fail(int code, const IoModuleOptions& options, std::vector<uint8_t>& out)
{
    const std::string line = errorLine(code) + options.lineEnd;
    out.insert(out.end(), line.begin(), line.end());
    failed_ = true;
}

IoFirmwareCheck IoBootLoader::runCode(IoFirmwareHeader& header) const
{
    return checkIoFirmware(std::span<const uint8_t>(flash_).subspan(kIoApplicationStart), header);
}

} // namespace qv::sim
