// qv-tool flash read, flash write: the mainboard flash by sectors, through
// the instrument or, with --fast, through the I/O-interface module.
#include "flash_commands.h"

#include "commands.h"
#include "file_commands.h"
#include "stderr_progress.h"

#include "platform/host/file_io.h"
#include "updater/flash_codec.h"
#include "updater/flash_transfer.h"

#include <cstdio>

namespace qvtool {

const char* const kFlashUsage =
    "  flash read --port P [--fast] ADDR SECTORS FILE\n"
    "                                 read SECTORS x 128 bytes of the mainboard flash into FILE, from the\n"
    "                                 sector ADDR lies in (SECTORS 1 to 65535)\n"
    "  flash write --port P [--fast] ADDR FILE\n"
    "                                 write FILE into the mainboard flash from the sector ADDR lies in;\n"
    "                                 its last sector is filled up with 0xFF\n"
    "      --fast: through the I/O-interface module's own flash transfers at its high link speed\n"
    "      (unless it is connected by USB); otherwise block by block through the instrument.\n"
    "      Neither restarts the instrument: qv-tool restart does.\n";

namespace {

constexpr uint32_t kSector = uint32_t(qv::flash::kSectorBytes);
// The instrument's 22-bit address space.
constexpr uint32_t kAddressSpace = 1u << 22;
constexpr uint32_t kLargestCount = 0xFFFF;

std::string FastResultText(int code)
{
    switch (code) {
    case qv::flash::kNoReply:
        return "the I/O-interface stopped answering in the middle of the transfer";
    case qv::flash::kChecksumError:
        return "a block stayed damaged (checksum error)";
    case qv::flash::kNotSupported:
        return "the I/O firmware does not support fast flash transfers";
    case qv::flash::kNotRunMode:
        return "the I/O module is not in RUN mode";
    case qv::flash::kSectorOutOfRange:
        return "the sectors lie beyond what the fast transfer addresses";
    case qv::flash::kNoEnd:
        return "the I/O-interface did not confirm the end of the transfer";
    default:
        return "the I/O-interface ended the transfer with result " + std::to_string(code);
    }
}

std::string Hex(uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%05X", unsigned(value));
    return text;
}

// The I/O-interface in front of the instrument, at the high link speed for
// the time of one transfer.
class FastPath {
public:
    FastPath(qv::SerialPort& port, qv::HostServices host) : channel_(port, host), io_(channel_, identity_) {}

    // "" when the transfer can start, else what stands in the way.
    std::string begin(const std::string& portName)
    {
        qv::SerialPort& port = channel_.port();
        if (!port.open(portName))
            return "Unable to open " + portName + ": " + port.errorText();
        const int detected = io_.DetectIoInterface(false);
        if (detected != qv::IOSTAT_OK)
            return "no I/O-interface answered on " + portName + " (result " + std::to_string(detected) + ")";
        if (io_.spiMode >= qv::at::kSpiNotSupportedByIo)
            return "the I/O-interface cannot reach the mainboard flash (SpiMode " + std::to_string(io_.spiMode) + ")";
        high_ = io_.status.interface != qv::at::kInterfaceUsb;
        if (high_ && !io_.SetLinkSpeed(true))
            return "the I/O-interface did not take the high link speed";
        return {};
    }
    // Back to the normal speed and to transparent mode.
    void end()
    {
        if (high_)
            io_.SetLinkSpeed(false);
        high_ = false;
        io_.SetIoMode(false);
    }
    qv::IoInterface& io() { return io_; }

private:
    qv::UpdateChannel channel_;
    qv::UpdateIdentity identity_;
    qv::IoInterface io_;
    bool high_ = false;
};

int Read(const Args& args, uint32_t start, uint32_t sectors, const std::string& path, qv::SerialPort& port,
         qv::HostServices host, ToolLink& link)
{
    std::vector<uint8_t> data;
    {
        StderrProgress progress(host.clock, "reading");
        if (args.fast) {
            FastPath fast(port, host);
            if (const std::string problem = fast.begin(args.port); !problem.empty())
                return FileFail(problem);
            const int result = qv::FlashTransfer(fast.io()).ReadFlashFast(start, sectors, data, nullptr, &progress);
            fast.end();
            if (result != qv::flash::kDone)
                return FileFail("fast read from " + Hex(start) + " failed: " + FastResultText(result));
        } else {
            if (!link.open(args.port))
                return FileFail(link.problem());
            data.resize(size_t(sectors) * kSector);
            if (!link.readBlocks(start, int(sectors), data.data(), progress))
                return FileFail(link.problem());
        }
    }
    std::string error;
    if (!qv::WriteFileAtomically(path, data, error))
        return FileFail("cannot write " + path + ": " + error);
    return kExitOk;
}

int Write(const Args& args, uint32_t start, const std::string& path, qv::SerialPort& port, qv::HostServices host,
          ToolLink& link)
{
    qv::FileRead file = qv::ReadFileUpTo(path, kAddressSpace);
    if (file.status == qv::FileRead::Status::TooLarge)
        return FileFail(path + " is larger than the flash");
    if (file.status != qv::FileRead::Status::Ok)
        return FileFail("cannot read " + path + ": " + file.error);
    std::vector<uint8_t> image = std::move(file.bytes);
    if (image.empty())
        return FileFail(path + " is empty");
    const size_t sectors = qv::flash::SectorsFor(image.size());
    if (start + sectors * kSector > kAddressSpace)
        return FileFail(path + " does not fit the flash from " + Hex(start));

    StderrProgress progress(host.clock, "writing");
    if (args.fast) {
        FastPath fast(port, host);
        if (const std::string problem = fast.begin(args.port); !problem.empty())
            return FileFail(problem);
        const int result = qv::FlashTransfer(fast.io()).WriteFlashFast(image, start, nullptr, &progress, nullptr);
        fast.end();
        if (result != qv::flash::kDone)
            return FileFail("fast write to " + Hex(start) + " failed: " + FastResultText(result));
        return kExitOk;
    }
    // Whole sectors, as the fast write fills them up.
    image.resize(sectors * kSector, qv::flash::kPadding);
    if (!link.open(args.port))
        return FileFail(link.problem());
    if (!link.writeBlocks(start, int(sectors), image.data(), progress))
        return FileFail(link.problem());
    return kExitOk;
}

} // namespace

int RunFlash(const Args& args, const std::vector<std::string>& words, qv::SerialPort& port, qv::HostServices host,
             ToolLink& link)
{
    const bool read = !words.empty() && words[0] == "read";
    const bool write = !words.empty() && words[0] == "write";
    if (args.variant != "update")
        return FileUsage("flash uses QV-Update's link; leave out --variant");
    if (read && words.size() == 4) {
        const auto address = ParseNumber(words[1]);
        const auto sectors = ParseNumber(words[2]);
        if (!address || !sectors || *sectors == 0 || *sectors > kLargestCount)
            return FileUsage("flash read needs ADDR SECTORS FILE (SECTORS 1 to 65535)");
        const uint32_t start = *address / kSector * kSector;
        if (*address >= kAddressSpace || uint64_t(start) + uint64_t(*sectors) * kSector > kAddressSpace)
            return FileUsage("flash read: the sectors must lie below " + Hex(kAddressSpace));
        return Read(args, start, *sectors, words[3], port, host, link);
    }
    if (write && words.size() == 3) {
        const auto address = ParseNumber(words[1]);
        if (!address || *address >= kAddressSpace)
            return FileUsage("flash write needs ADDR FILE (ADDR below " + Hex(kAddressSpace) + ")");
        return Write(args, *address / kSector * kSector, words[2], port, host, link);
    }
    return FileUsage("flash needs read ADDR SECTORS FILE or write ADDR FILE");
}

} // namespace qvtool
