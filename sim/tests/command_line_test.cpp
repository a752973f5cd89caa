#include "sim/app/command_line.h"

#include <gtest/gtest.h>

namespace qv::sim {
namespace {

TEST(SimCommandLine, TakesEveryOption)
{
    SimCommandLine line;
    std::string error;
    ASSERT_TRUE(parseSimCommandLine({"--serial", "65535", "--revision", "0", "--version=4.12", "--bios", "--baud",
                                     "115200", "--boot-ms", "0", "--no-text", "--no-answer", "--write-locked", "--corrupt-every", "3",
                                     "--drop-every=7", "--noise", "1.5:42", "--link", "/tmp/qv", "--dump", "mem.bin", "--read-pace-us",
                                     "1042", "--command-timeout-ms", "400"},
                                    line, error))
        << error;
    const InstrumentOptions& o = line.options;
    EXPECT_EQ(o.serial, 0xFFFF);
    EXPECT_EQ(o.revision, '0');
    EXPECT_EQ(o.softwareVersion, 0x0412);
    EXPECT_TRUE(o.biosMode);
    EXPECT_EQ(o.baud, 115200);
    EXPECT_EQ(o.bootMs, 0);
    EXPECT_EQ(o.commandTimeoutMs, 400);
    EXPECT_FALSE(o.answersText);
    EXPECT_TRUE(o.noAnswer);
    EXPECT_TRUE(o.writeLocked);
    EXPECT_EQ(o.corruptChecksumEvery, 3);
    EXPECT_EQ(o.dropByteEvery, 7);
    EXPECT_DOUBLE_EQ(o.lineNoise.corrupt + o.lineNoise.lose + o.lineNoise.delay, 0.015);
    EXPECT_EQ(o.lineNoise.seed, 42u);
    EXPECT_EQ(line.linkPath, "/tmp/qv");
    EXPECT_EQ(line.dumpPath, "mem.bin");
    EXPECT_EQ(line.readPaceUs, 1042);
    EXPECT_FALSE(line.help);
}

TEST(SimCommandLine, RefusesBadInput)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--frobnicate"},
        {"--serial"},
        {"--serial", "65536"},
        {"--serial", "12a"},
        {"--revision", "10"},
        {"--version", "5.3"},
        {"--version", "5,30"},
        {"--version", "105.30"},
        {"--baud", "0"},
        {"--drop-every", "-1"},
        {"--read-pace-us", "-5"},
        {"--command-timeout-ms", "0"},
        {"--noise", "101"},
        {"--noise", "1:x"},
        {"--noise", "nan"},
        {"--bios=1"},
        {"5"},
    };
    for (const auto& args : cases) {
        SimCommandLine line;
        std::string error;
        EXPECT_FALSE(parseSimCommandLine(args, line, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(SimCommandLine, VersionDigitsBecomeHexDigits)
{
    const std::pair<const char*, uint16_t> cases[] = {{"5.30", 0x0530}, {"4.12", 0x0412}, {"10.05", 0x1005}};
    for (const auto& [text, expected] : cases) {
        uint16_t version = 0;
        EXPECT_TRUE(parseImageVersion(text, version)) << text;
        EXPECT_EQ(version, expected) << text;
    }
}

TEST(SimCommandLine, HelpNamesEveryOption)
{
    const std::string usage = simUsage();
    for (const char* option : {"--serial", "--revision", "--version", "--bios", "--baud", "--boot-ms", "--no-text",
                               "--no-answer", "--write-locked", "--corrupt-every", "--drop-every", "--noise", "--link", "--dump",
                               "--read-pace-us", "--command-timeout-ms", "--help"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

} // namespace
} // namespace qv::sim
