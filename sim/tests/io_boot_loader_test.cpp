// The I/O module's boot loader: erase, HEX download and the RUN code it
// starts afterwards, driven byte by byte as the host sends them.
#include "sim/io_firmware_image.h"
#include "sim/io_module.h"
#include "sim_test_support.h"
#include "updater/intel_hex.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace qv::sim {
namespace {

using test::Bytes;
using test::ModuleDriver;

const IoFirmwareHeader kLoader{3, 3, 11, 11, "Test FPGA loader 3.11"};

Bytes Code(size_t n)
{
    Bytes code(n);
    for (size_t i = 0; i < n; ++i)
        code[i] = uint8_t(i * 13 + 7);
    return code;
}

std::vector<std::string> HexLines(const Bytes& image, uint32_t start = kIoApplicationStart)
{
    std::vector<std::string> lines;
    for (const auto& record : ihex::ImageRecords(image, start, 16))
        lines.push_back(ihex::FormatRecord(record));
    return lines;
}

std::string Joined(const std::vector<std::string>& lines, const std::string& lineEnd)
{
    std::string text;
    for (const auto& line : lines)
        text += line + lineEnd;
    return text;
}

IoModuleOptions BootMode()
{
    IoModuleOptions o;
    o.systemMode = 1;
    return o;
}

void EnterDownload(ModuleDriver& d, bool erase = true)
{
    ASSERT_EQ(d.send("@AT+++\r"), "OK\r\n");
    if (erase) {
        ASSERT_EQ(d.send("@ATErase\r"), "OK\r\n");
    }
    ASSERT_EQ(d.send("@ATPrg\r"), "OK\r\n");
}

// "@ATRUN", the restart, and command mode again.
void RunCode(ModuleDriver& d)
{
    ASSERT_EQ(d.send("@ATRUN\r"), "OK\r\n");
    d.pauseMs(d.module.options().restartMs);
    ASSERT_EQ(d.send("@AT+++\r"), "OK\r\n");
}

Bytes FlashAt(const ModuleDriver& d, uint32_t address, size_t n)
{
    const auto& flash = d.module.bootLoader().flash();
    return Bytes(flash.begin() + address, flash.begin() + address + n);
}

TEST(IoBootLoader, DownloadedRunCodeStartsAfterTheRestart)
{
    const Bytes image = ioFirmwareImage(kLoader, Code(1000));
    // Lines from a file come without line ends, embedded ones with theirs.
    for (const std::string lineEnd : {"", "\r\n", "\n"}) {
        SCOPED_TRACE(testing::PrintToString(lineEnd));
        ModuleDriver d(BootMode());
        EnterDownload(d);
        EXPECT_EQ(d.send(Joined(HexLines(image), lineEnd)), "") << "no acknowledgement per line";
        EXPECT_FALSE(d.module.bootLoader().downloading()) << "the end-of-file record ends download mode";
        EXPECT_EQ(d.module.bootLoader().records(), 69) << "67 data records between the address and end records";
        EXPECT_EQ(FlashAt(d, kIoApplicationStart, image.size()), image);

        RunCode(d);
        const std::string status = d.send("@ATSTAT\r");
        ASSERT_GT(status.size(), 15u);
        EXPECT_EQ(status[1], 0) << "RUN mode";
        EXPECT_EQ(uint8_t(status[12]), 3);
        EXPECT_EQ(uint8_t(status[13]), 11);
        EXPECT_EQ(uint8_t(status[14]), 3) << "RUN-code ID of the FPGA loader";
        EXPECT_EQ(d.send("@ATVER\r"), "Test FPGA loader 3.11\r\n");
        EXPECT_EQ(d.send(std::string("@ATRDREG\r\0", 10)), "\x0B");
    }
}

TEST(IoBootLoader, DownloadErrorsAreOneUnsolicitedLine)
{
    const Bytes image = ioFirmwareImage(kLoader, Code(100));
    const auto lines = HexLines(image);
    const auto replaced = [&](size_t index, std::string line) {
        auto l = lines;
        l[index] = std::move(line);
        return l;
    };
    Bytes badCode = image;
    badCode.back() ^= 0x01; // the header's CRC-32 no longer fits
    std::string badChecksum = lines[2];
    badChecksum.back() = badChecksum.back() == '0' ? '1' : '0';

    const struct {
        const char* what;
        std::vector<std::string> lines;
        std::function<void(IoModuleOptions&)> faults;
        bool erase;
        const char* reply;
        int records; // taken, a record that cannot be decoded not counted
    } cases[] = {
        {"record checksum", replaced(2, badChecksum), {}, true, "E500 HEX record error\r\n", 2},
        {"text that is no record", replaced(2, "hello"), {}, true, "E500 HEX record error\r\n", 2},
        {"record cut by a line end", replaced(2, lines[2].substr(0, 20) + "\r\n"), {}, true,
         "E500 HEX record error\r\n", 2},
        {"below the RUN-code area", HexLines(image, kIoApplicationStart - 16), {}, true, "E503 Address error\r\n", 2},
        {"past the end of the flash", HexLines(image, kIoFlashSize - 64), {}, true, "E503 Address error\r\n", 7},
        {"flash not erased", lines, {}, false, "E501 Flash not erased\r\n", 2},
        {"code that does not match its header", HexLines(badCode), {}, true, "E502 CRC error\r\n", 13},
        {"injected E500", lines, [](IoModuleOptions& o) { o.hexFault = 500; o.hexFaultRecord = 3; }, true,
         "E500 HEX record error\r\n", 3},
        {"injected E501", lines, [](IoModuleOptions& o) { o.hexFault = 501; o.hexFaultRecord = 3; }, true,
         "E501 Flash not erased\r\n", 3},
        {"injected E502", lines, [](IoModuleOptions& o) { o.hexFault = 502; o.hexFaultRecord = 3; }, true,
         "E502 CRC error\r\n", 3},
        {"injected E503", lines, [](IoModuleOptions& o) { o.hexFault = 503; o.hexFaultRecord = 3; }, true,
         "E503 Address error\r\n", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        IoModuleOptions o = BootMode();
        if (c.faults)
            c.faults(o);
        ModuleDriver d(o);
        EnterDownload(d, c.erase);
        EXPECT_EQ(d.send(Joined(c.lines, "\r\n")), c.reply) << "one line, and the rest is ignored";
        EXPECT_EQ(d.module.bootLoader().records(), c.records);
        // The module still takes commands after the failed download.
        EXPECT_EQ(d.send("@ATRUN\r"), "OK\r\n");
    }
}

TEST(IoBootLoader, RefusalsAndForeignCode)
{
    ModuleDriver run;
    run.send("@AT+++\r");
    EXPECT_EQ(run.send("@ATPrg\r"), "Not OK\r\n") << "the RUN code does not program its own flash";

    IoModuleOptions o = BootMode();
    o.eraseFails = true;
    ModuleDriver failing(o);
    failing.send("@AT+++\r");
    EXPECT_EQ(failing.send("@ATErase\r"), "E501 Flash erase error\r\n");
    EXPECT_FALSE(failing.module.bootLoader().replaced());

    // Code without our header is kept, but the boot loader does not start it.
    ModuleDriver d(BootMode());
    EnterDownload(d);
    const Bytes foreign = Code(200);
    EXPECT_EQ(d.send(Joined(HexLines(foreign), "\r\n")), "");
    EXPECT_EQ(FlashAt(d, kIoApplicationStart, foreign.size()), foreign);
    RunCode(d);
    const std::string status = d.send("@ATSTAT\r");
    EXPECT_EQ(status[1], 1) << "still the boot loader";
    EXPECT_EQ(uint8_t(status[12]), 0xFF) << "no RUN code";
}

TEST(IoBootLoader, CommandLineEndsDownloadMode)
{
    ModuleDriver d(BootMode());
    EnterDownload(d);
    const auto lines = HexLines(ioFirmwareImage(kLoader, Code(64)));
    // Everything but the end-of-file record, then the restart command.
    EXPECT_EQ(d.send(Joined({lines.begin(), lines.end() - 1}, "")), "");
    EXPECT_TRUE(d.module.bootLoader().downloading());
    RunCode(d);
    EXPECT_EQ(uint8_t(d.send("@ATSTAT\r")[14]), 3) << "complete code runs without the end-of-file record";
}

} // namespace
} // namespace qv::sim
