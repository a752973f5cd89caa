// qv-tool xsvf info, hex info: look into FPGA images and I/O firmware files
// before they go to the instrument.
#include "commands.h"
#include "file_commands.h"

#include "platform/host/file_io.h"
#include "updater/intel_hex.h"
#include "updater/xsvf.h"

#include <cstdio>
#include <string>
#include <vector>

namespace qvtool {

namespace {

// Far beyond any image the I/O module could take.
constexpr size_t kLargestFirmwareFile = 64 * 1024 * 1024;

// The whole file, or false after the failure has been reported.
bool ReadFirmwareFile(const std::string& path, std::vector<uint8_t>& bytes, int& status)
{
    qv::FileRead file = qv::ReadFileUpTo(path, kLargestFirmwareFile);
    switch (file.status) {
    case qv::FileRead::Status::Ok:
        bytes = std::move(file.bytes);
        return true;
    case qv::FileRead::Status::NotFound:
        status = FileFail(path + " was not found");
        return false;
    case qv::FileRead::Status::TooLarge:
        status = FileFail(path + " is larger than any firmware file");
        return false;
    default:
        status = FileFail("cannot read " + path + ": " + file.error);
        return false;
    }
}

using ShowFile = int (*)(const std::string& path, const std::vector<uint8_t>& bytes);

// "COMMAND info FILE": shows what FILE holds.
int FileInfo(const std::vector<std::string>& words, ShowFile show)
{
    if (words.size() != 3 || words[1] != "info")
        return FileUsage(words[0] + " needs info FILE");
    const std::string& path = words[2];
    std::vector<uint8_t> bytes;
    int status = kExitFailed;
    if (!ReadFirmwareFile(path, bytes, status))
        return status;
    return show(path, bytes);
}

int ShowXsvf(const std::string& path, const std::vector<uint8_t>& bytes)
{
    // What could be read is listed even when the rest is bad.
    const qv::xsvf::Listing listing = qv::xsvf::Read(bytes);
    for (size_t i = 0; i < listing.instructions.size(); ++i)
        std::printf("%zu\t%s\n", listing.offsets[i], qv::xsvf::Describe(listing.instructions[i]).c_str());
    if (listing.trailingBytes > 0)
        std::printf("%zu bytes after XCOMPLETE\n", listing.trailingBytes);
    std::fflush(stdout);
    if (listing.result != qv::xsvf::DecodeResult::Ok)
        return FileFail(path + ": " + qv::xsvf::DescribeError(listing, bytes));
    return kExitOk;
}

int ShowHex(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const qv::ihex::HexText hex = qv::ihex::ParseHexText(std::string(bytes.begin(), bytes.end()));
    size_t dataBytes = 0;
    bool endOfFile = false;
    for (const auto& r : hex.records) {
        if (r.type == qv::ihex::kData)
            dataBytes += r.data.size();
        endOfFile = endOfFile || r.type == qv::ihex::kEndOfFile;
    }
    const qv::ihex::AddressRange range = qv::ihex::DataRange(hex.records);
    std::printf("records=%zu\ndata=%zu\n", hex.records.size(), dataBytes);
    if (range.empty)
        std::printf("range=none\n");
    else
        std::printf("range=0x%08X-0x%08X\n", unsigned(range.first), unsigned(range.last));
    std::printf("end-of-file=%s\n", endOfFile ? "yes" : "no");
    for (const auto& p : hex.problems)
        std::printf("line %zu: %s\n", p.line, qv::ihex::LineErrorText(p.error).c_str());
    std::fflush(stdout);
    if (!hex.problems.empty())
        return FileFail(path + ": " + std::to_string(hex.problems.size()) + " bad line" +
                        (hex.problems.size() == 1 ? "" : "s"));
    return kExitOk;
}

int XsvfInfo(const std::vector<std::string>& words)
{
    return FileInfo(words, ShowXsvf);
}

int HexInfo(const std::vector<std::string>& words)
{
    return FileInfo(words, ShowHex);
}

const FileCommandRegistration kXsvf{
    "xsvf",
    "xsvf info FILE                   the instructions of an XSVF image, one a line after its byte\n"
    "                                 offset; a truncated stream, an unknown instruction or a length\n"
    "                                 past the end fails after the instructions before it",
    XsvfInfo};

const FileCommandRegistration kHex{
    "hex",
    "hex info FILE                    an Intel HEX file: records=, data= (bytes), range= (the data\n"
    "                                 addresses), end-of-file=, then \"line N: problem\" for each bad\n"
    "                                 line (not a record, bad length, bad record checksum), which fail",
    HexInfo};

} // namespace

} // namespace qvtool
