// qv-instrument-sim's I/O-module options, and the module on a pseudo-terminal.
#include "sim/app/command_line.h"
#include "sim/testing/sim_process.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>

namespace qv::sim {
namespace {

TEST(IoCommandLine, TakesTheModuleOptions)
{
    SimCommandLine line;
    std::string error;
    ASSERT_TRUE(parseSimCommandLine({"--io-board", "201", "--io-mode", "1", "--io-run", "none", "--io-run-id", "2",
                                     "--io-boot=1.7", "--io-usb", "--io-product", "209", "--io-mac", "000b57abcdef",
                                     "--io-flash", "BF:24", "--slot", "2:B1:12:21:3C", "--slot", "7:AD",
                                     "--io-no-ethernet", "--io-bad-checksum", "--io-bad-length", "--io-status-differs"},
                                    line, error))
        << error;
    const IoModuleOptions& io = line.options.ioModule;
    EXPECT_TRUE(io.present);
    EXPECT_EQ(io.boardCode, "201");
    EXPECT_EQ(io.systemMode, 1);
    EXPECT_EQ(io.runMajor, 0xFF);
    EXPECT_EQ(io.runId, 2);
    EXPECT_EQ(io.bootMajor, 1);
    EXPECT_EQ(io.bootMinor, 7);
    EXPECT_EQ(io.interface, 4);
    EXPECT_EQ(io.productCode, 209);
    EXPECT_EQ(io.macText, "000b57abcdef");
    EXPECT_EQ(io.flashManufacturer, 0xBF);
    EXPECT_EQ(io.flashDevice, 0x24);
    EXPECT_EQ(io.slotModules[1].moduleId, 0xB1);
    EXPECT_EQ(io.slotModules[1].softwareVersion, 0x12);
    EXPECT_EQ(io.slotModules[1].firmwareVersion, 0x21);
    EXPECT_EQ(io.slotModules[1].temperature, 0x3C);
    EXPECT_EQ(io.slotModules[6].moduleId, 0xAD);
    EXPECT_EQ(io.slotModules[6].softwareVersion, 0);
    EXPECT_FALSE(io.ethernet);
    EXPECT_TRUE(io.badStatusChecksum);
    EXPECT_EQ(io.statusLengthError, -1);
    EXPECT_TRUE(io.statusRepliesDiffer);

    SimCommandLine firmware;
    ASSERT_TRUE(parseSimCommandLine({"--io-register", "240", "--io-fpga", "vp30", "--io-jtag-max", "64",
                                     "--io-erase-fails", "--io-hex-error", "E502:7", "--io-jtag-damaged", "3",
                                     "--io-register-fixed", "14", "--slot-swap", "4:C1:2", "--slot-silent", "5:3"},
                                    firmware, error))
        << error;
    const IoModuleOptions& fw = firmware.options.ioModule;
    EXPECT_TRUE(fw.present);
    EXPECT_EQ(fw.loaderRegister, 240);
    EXPECT_EQ(fw.fpgaIdcode, kVp30Idcode);
    EXPECT_EQ(fw.jtagMaxVectorBytes, 64u);
    EXPECT_TRUE(fw.eraseFails);
    EXPECT_EQ(fw.hexFault, 502);
    EXPECT_EQ(fw.hexFaultRecord, 7);
    EXPECT_EQ(fw.jtagDamagedBlock, 3);
    EXPECT_EQ(fw.fixedLoaderRegister, 14);
    EXPECT_EQ(fw.slotModules[3].swappedId, 0xC1);
    EXPECT_EQ(fw.slotModules[3].queriesBeforeSwap, 2);
    EXPECT_EQ(fw.slotModules[4].silentAfterBlocks, 3);

    SimCommandLine flash;
    ASSERT_TRUE(parseSimCommandLine({"--io-flash-damaged", "4:9", "--io-flash-stop", "12", "--io-flash-no-end",
                                     "--io-flash-silent"},
                                    flash, error))
        << error;
    const IoModuleOptions& fl = flash.options.ioModule;
    EXPECT_TRUE(fl.present);
    EXPECT_EQ(fl.flashDamagedBlock, 4);
    EXPECT_EQ(fl.flashDamagedTimes, 9);
    EXPECT_EQ(fl.flashStopAtBlock, 12);
    EXPECT_TRUE(fl.flashNoEnd);
    EXPECT_FALSE(fl.flashTransferAnswers);
    SimCommandLine once;
    ASSERT_TRUE(parseSimCommandLine({"--io-flash-damaged", "2"}, once, error)) << error;
    EXPECT_EQ(once.options.ioModule.flashDamagedTimes, 1);

    SimCommandLine fpga;
    ASSERT_TRUE(parseSimCommandLine({"--io-fpga", "0A001093", "--io-hex-error", "E500"}, fpga, error)) << error;
    EXPECT_EQ(fpga.options.ioModule.fpgaIdcode, 0x0A001093u);
    EXPECT_EQ(fpga.options.ioModule.hexFaultRecord, 1);

    SimCommandLine plain;
    ASSERT_TRUE(parseSimCommandLine({"--serial", "5"}, plain, error));
    EXPECT_FALSE(plain.options.ioModule.present);
}

TEST(IoCommandLine, RefusesBadModuleValues)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--io-board", "20"},     {"--io-mode", "3"},     {"--io-run", "2"},       {"--io-run", "2.x"},
        {"--io-boot", "none"},    {"--io-product", "256"}, {"--io-mac", "000B57"},  {"--io-mac", "000B57ABCDEG"},
        {"--io-flash", "BF"},     {"--io-flash", "BF:123"}, {"--slot", "0:B0"},     {"--slot", "8:B0"},
        {"--slot", "1"},          {"--slot", "1:XY"},      {"--slot", "1:1:2:3:4:5"}, {"--io-module=1"},
        {"--io-fpga", "vp40"},    {"--io-fpga", "123456789"}, {"--io-hex-error", "E504"},
        {"--io-hex-error", "500"}, {"--io-hex-error", "E501:0"}, {"--io-jtag-damaged", "0"},
        {"--io-jtag-max", "0"},   {"--io-register", "256"}, {"--io-register-fixed", "-1"},
        {"--slot-swap", "8:B0"},  {"--slot-swap", "1"},     {"--slot-swap", "1:B0"}, {"--slot-silent", "1:0"},
        {"--slot-silent", "1:x"},    {"--io-flash-damaged", "0"},
        {"--io-flash-damaged", "1:0"}, {"--io-flash-damaged", "1:2:3"}, {"--io-flash-stop", "x"},
        {"--io-flash-no-end=1"},
    };
    for (const auto& args : cases) {
        SimCommandLine line;
        std::string error;
        EXPECT_FALSE(parseSimCommandLine(args, line, error)) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    }
}

TEST(IoCommandLine, HelpNamesTheModuleOptions)
{
    const std::string usage = simUsage();
    for (const char* option : {"--io-module", "--io-board", "--io-mode", "--io-run", "--io-run-id", "--io-boot",
                               "--io-usb", "--io-product", "--io-mac", "--io-version-text", "--io-no-ethernet",
                               "--io-flash", "--slot", "--io-bad-checksum", "--io-bad-length", "--io-status-differs",
                               "--io-register", "--io-fpga", "--io-jtag-max", "--io-erase-fails", "--io-hex-error",
                               "--io-jtag-damaged", "--io-register-fixed", "--slot-swap", "--slot-silent",
                               "--io-flash-damaged", "--io-flash-stop", "--io-flash-no-end", "--io-flash-silent"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

// Reads until the text holds `until` or a second has passed.
std::string ReadUntil(int fd, const std::string& until)
{
    return qv::sim::test::readFdUntil(fd, std::chrono::seconds(1),
                                      [&](const std::string& got) { return got.find(until) != std::string::npos; });
}

TEST(IoModuleProgram, AnswersOnAPseudoTerminal)
{
    char folder[] = "/tmp/qv-io-sim-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    {
        testing::SimulatorProcess sim(QV_INSTRUMENT_SIM_PROGRAM, {"--io-module", "--slot", "3:C0"}, folder);
        ASSERT_FALSE(sim.device().empty());
        const int fd = open(sim.device().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(fd, 0);
        termios settings{};
        tcgetattr(fd, &settings);
        cfmakeraw(&settings);
        tcsetattr(fd, TCSANOW, &settings);

        const std::string commands = "@AT+++\r@ATSPIUartDest\r\x03@AT---\rc";
        ASSERT_EQ(write(fd, commands.data(), commands.size()), ssize_t(commands.size()));
        EXPECT_EQ(ReadUntil(fd, "c\xC0"), "OK\r\nOK\r\nOK\r\nc\xC0");
        close(fd);
    }
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace qv::sim
