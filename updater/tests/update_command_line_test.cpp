// QV-Update's command line: word rules, jobs and the options of this build.
#include "updater/update_command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

using qv::CommandJob;
using qv::PortChoice;
using Words = std::vector<std::string>;

qv::UpdateCommandLine Parse(const Words& words)
{
    return qv::ParseUpdateCommandLine(words, "/opt/qv-update");
}

TEST(CommandLine, WordRules)
{
    const PortChoice Auto = PortChoice::Autoselect;
    const PortChoice Named = PortChoice::Named;
    struct Case {
        Words words;
        CommandJob job;
        std::string command;
        PortChoice port;
        std::string portName;
    } cases[] = {
        {{}, CommandJob::None, "", Auto, ""},
        {{"/H"}, CommandJob::Help, "", Auto, ""},
        {{"/?"}, CommandJob::Help, "", Auto, ""},
        {{"/h"}, CommandJob::Help, "", Auto, ""},
        {{"/H", "/C", "1"}, CommandJob::None, "", Auto, ""},
        {{"/I"}, CommandJob::Restart, "RVT/I", Auto, ""},
        {{"/I", "/C", "1"}, CommandJob::Restart, "RVT/I", Named, "COM1"},
        {{"/i", "/c", "a"}, CommandJob::Restart, "RVT/I", Auto, ""},
        {{"/I", "/C"}, CommandJob::Restart, "RVT/I", Auto, ""},
        {{"/I", "FPGA"}, CommandJob::Restart, "MCU/FPGAReload", Auto, ""},
        {{"/I", "BIOS", "/C", "2"}, CommandJob::Restart, "MCU/BIOS", Named, "COM2"},
        // Recognised, but no command: the dispatcher refuses the empty input.
        {{"/I", "fpga"}, CommandJob::Restart, "", Auto, ""},
        {{"/I", "Bios"}, CommandJob::Restart, "", Auto, ""},
        // The last job switch wins.
        {{"/I", "/E"}, CommandJob::EraseIo, "MCU/ERASE", Auto, ""},
        {{"/E", "/KEY", "down"}, CommandJob::Key, "MCU/KEYD", Auto, ""},
        {{"/key", "Up", "/C", "4"}, CommandJob::Key, "MCU/KEYU", Named, "COM4"},
        {{"/KEY", "LEFT"}, CommandJob::Key, "", Auto, ""},
        {{"/ETHReset", "/C", "1"}, CommandJob::EthernetReset, "ETH/RESET", Named, "COM1"},
        // "/C" for "/R" only with exactly six words.
        {{"/R", "$1C000", "128", "/C", "1"}, CommandJob::ReadFlash, "RVT/R", Auto, ""},
        {{"/R", "$1C000", "128", "C:\\F.380", "/C", "1"}, CommandJob::ReadFlash, "RVT/R", Named, "COM1"},
        {{"/R", "$1C000", "128", "/NOSPI", "/C", "1"}, CommandJob::ReadFlash, "RVT/R", Named, "COM1"},
        {{"/r", "$1c000", "128"}, CommandJob::ReadFlash, "RVT/R", Auto, ""},
        {{"/R", "1"}, CommandJob::None, "", Auto, ""},
        {{"/F", "C:\\Update.CDP", "/SERIAL", "50000", "/C", "1"}, CommandJob::Download, "C:\\Update.CDP", Named,
         "COM1"},
        {{"/F", "fpga"}, CommandJob::Download, "MCU/FPGA", Auto, ""},
        {{"/F"}, CommandJob::None, "", Auto, ""},
        {{"/d", "memory.380"}, CommandJob::None, "", Auto, ""},
        {{"/APPCTRL", "/SELFTEST", "/WRNVRAM"}, CommandJob::None, "", Auto, ""},
        // Port words: no range check, names and device paths, and a switch that names no port.
        {{"/I", "/C", "0"}, CommandJob::Restart, "RVT/I", Named, "COM0"},
        {{"/I", "/C", "ttyUSB0"}, CommandJob::Restart, "RVT/I", Named, "ttyUSB0"},
        {{"/I", "/C", "/dev/pts/4"}, CommandJob::Restart, "RVT/I", Named, "/dev/pts/4"},
        {{"/I", "/C", "/NOSPI"}, CommandJob::Restart, "RVT/I", PortChoice::Invalid, ""},
    };
    for (const auto& c : cases) {
        const std::string name = ::testing::PrintToString(c.words);
        const qv::UpdateCommandLine line = Parse(c.words);
        EXPECT_EQ(line.job, c.job) << name;
        EXPECT_EQ(line.command, c.command) << name;
        EXPECT_EQ(line.portChoice, c.port) << name;
        EXPECT_EQ(line.portName, c.portName) << name;
        EXPECT_TRUE(line.errors.empty()) << name;
    }
}

TEST(CommandLine, ReadFlashFields)
{
    struct Case {
        Words words;
        bool valid;
        std::string address;
        std::string count;
        std::string file;
        bool fileGiven;
    } cases[] = {
        {{"/r", "$1c000", "128"}, true, "$1c000", "128", "/opt/qv-update/memory.cod", false},
        {{"/R", "$1C000", "128", "C:\\F.380", "/C", "1"}, true, "$1C000", "128", "C:\\F.380", true},
        {{"/R", "114688", "16", "/home/u/flash.380"}, true, "114688", "16", "/home/u/flash.380", true},
        {{"/R", "$1C000", "128", "/NOSPI"}, true, "$1C000", "128", "/opt/qv-update/memory.cod", false},
        {{"/NOSPI", "/R", "$1C000"}, false, "$1C000", "", "/opt/qv-update/memory.cod", false},
        {{"/R", "start", "128", "f.380"}, false, "start", "128", "f.380", true},
        {{"/R", "$1C000", "12x"}, false, "$1C000", "12x", "/opt/qv-update/memory.cod", false},
    };
    for (const auto& c : cases) {
        const std::string name = ::testing::PrintToString(c.words);
        const qv::UpdateCommandLine line = Parse(c.words);
        ASSERT_EQ(line.job, CommandJob::ReadFlash) << name;
        EXPECT_EQ(line.readArgumentsValid, c.valid) << name;
        EXPECT_EQ(line.flashAddress, c.address) << name;
        EXPECT_EQ(line.sectorCount, c.count) << name;
        EXPECT_EQ(line.flashFile, c.file) << name;
        EXPECT_EQ(line.flashFileGiven, c.fileGiven) << name;
    }
    EXPECT_EQ(qv::ParseUpdateCommandLine({"/R", "$1C000", "128"}, "").flashFile, "memory.cod");
}

TEST(CommandLine, SwitchesAnywhere)
{
    const qv::UpdateCommandLine line =
        Parse({"/F", "x.CDP", "/serial", "$C350", "/nospi", "/Vp30", "/SKIP", "3", "/SKIP", "ttyUSB1"});
    EXPECT_EQ(line.job, CommandJob::Download);
    EXPECT_EQ(line.serial, 50000);
    EXPECT_TRUE(line.spiDisabled);
    EXPECT_TRUE(line.vp30);
    EXPECT_EQ(line.skipPort, "ttyUSB1");
    EXPECT_EQ(Parse({"/I", "/SKIP", "3"}).skipPort, "COM3");
    EXPECT_EQ(Parse({"/F", "x.CDP", "/SERIAL", "fifty"}).serial, 0);
    EXPECT_EQ(Parse({"/F", "x.CDP", "/SERIAL"}).serial, 0);
    const qv::UpdateCommandLine flagsOnly = Parse({"/NOSPI", "/VP30"});
    EXPECT_EQ(flagsOnly.job, CommandJob::None);
    EXPECT_TRUE(flagsOnly.spiDisabled && flagsOnly.vp30);
}

TEST(CommandLine, OptionsOfThisBuildGoFirst)
{
    const qv::UpdateCommandLine line =
        Parse({"--port", "/dev/pts/4", "/R", "$1C000", "--simulator", "128", "C:\\F.380", "--port", "3", "/C",
               "--batch", "1"});
    EXPECT_EQ(line.extraPorts, (Words{"/dev/pts/4", "COM3"}));
    EXPECT_TRUE(line.simulator);
    EXPECT_TRUE(line.batch);
    EXPECT_TRUE(line.errors.empty());
    // Six words once the options are out: the port word counts.
    EXPECT_EQ(line.words, (Words{"/R", "$1C000", "128", "C:\\F.380", "/C", "1"}));
    EXPECT_EQ(line.portChoice, PortChoice::Named);
    EXPECT_EQ(line.portName, "COM1");
    EXPECT_EQ(Parse({"/H", "--simulator"}).job, CommandJob::Help);

    EXPECT_EQ(Parse({"/I", "--port"}).errors, Words{"--port needs a value."});
    EXPECT_EQ(Parse({"--verbose", "/I"}).errors, Words{"Unknown option --verbose."});
}

TEST(CommandLine, UpdateServerAndCheck)
{
    const qv::UpdateCommandLine line = Parse({"--update-server", "http://127.0.0.1:8080/qv", "/I"});
    EXPECT_EQ(line.updateServer, "http://127.0.0.1:8080/qv");
    EXPECT_EQ(line.words, Words{"/I"});
    EXPECT_FALSE(line.checkUpdates);
    EXPECT_TRUE(line.errors.empty());
    EXPECT_FALSE(Parse({"/I"}).updateServer) << "the setting's server then";

    const qv::UpdateCommandLine check = Parse({"--check-updates", "--update-server", "updates.maker.test"});
    EXPECT_TRUE(check.checkUpdates);
    EXPECT_TRUE(check.errors.empty());

    const std::string badServer = "--update-server needs a host name or an http:// address.";
    EXPECT_EQ(Parse({"--update-server", "ftp://updates.maker.test", "/I"}).errors, Words{badServer});
    // A bad value is still taken as the option's, not as a word.
    EXPECT_EQ(Parse({"--update-server", "not a host", "/I"}).words, Words{"/I"});
    EXPECT_EQ(Parse({"/I", "--update-server"}).errors, Words{badServer});
    EXPECT_EQ(Parse({"--check-updates", "/I"}).errors, Words{"--check-updates runs alone, without job parameters."});
}

TEST(CommandLine, IntegerWords)
{
    struct Case {
        const char* word;
        std::optional<int> value;
    } cases[] = {
        {"128", 128}, {"$1C000", 0x1C000}, {"$1c000", 0x1C000}, {"-5", -5}, {"+7", 7}, {"0", 0},
        {"", std::nullopt}, {"$", std::nullopt}, {"-", std::nullopt}, {"12a", std::nullopt},
        {"0x10", std::nullopt}, {"$-1", std::nullopt}, {"99999999999", std::nullopt}, {"$FFFFFFFFF", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::ParseIntegerWord(c.word), c.value) << c.word;
}

TEST(CommandLine, DownloadFile)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("qv-update-cmdline-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    for (const char* name : {"Up1.CDP", "Up3.CDP", "Up2.CDP", "Other.CDP"})
        std::ofstream(dir / name) << "x";
    const std::string folder = dir.string() + "/";

    struct Case {
        std::string file;
        std::string command;
        std::optional<std::string> error;
    } cases[] = {
        {folder + "Up*.CDP", folder + "Up3.CDP", std::nullopt},
        {folder + "Other.CDP", folder + "Other.CDP", std::nullopt},
        {folder + "None.CDP", folder + "None.CDP", "The file \"" + folder + "None.CDP\" was not found."},
        {folder + "Zz*.CDP", folder + "Zz*.CDP", "The file \"" + folder + "Zz*.CDP\" was not found."},
        {folder, folder, "The file \"" + folder + "\" was not found."},
        {"FPGA", "MCU/FPGA", std::nullopt},
        {"Fpga", "MCU/FPGA", std::nullopt},
    };
    for (const auto& c : cases) {
        qv::UpdateCommandLine line = Parse({"/F", c.file});
        EXPECT_EQ(qv::PrepareDownload(line), c.error) << c.file;
        EXPECT_EQ(line.command, c.command) << c.file;
    }
    fs::remove_all(dir);
}

TEST(CommandLine, WildcardMatches)
{
    const std::string longName(200, 'a');
    struct Case {
        std::string pattern;
        std::string name;
        bool matches;
    } cases[] = {
        {"Up*.CDP", "Up3.CDP", true},
        {"Up*.CDP", "Up.CDP", true},
        {"Up*.CDP", "Up3.CDX", false},
        {"U?3.CDP", "Up3.CDP", true},
        {"U?3.CDP", "U3.CDP", false},
        {"*", "", true},
        {"", "x", false},
        {"*a*b", "xaxxbyb", true},
        {"*a*b", "xaxxby", false},
        {"a*", "*", false},
        {"**x**", "yyxyy", true},
        // Stars before a character no name has: every split of the name
        // between them would be tried by a backtracking matcher.
        {std::string(24, '*') + "#", longName, false},
        {std::string(24, '*') + "a", longName, true},
        {"*a*a*a*a*a*a*a*a*a*a*a*a*b", longName, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qv::WildcardMatches(c.pattern, c.name), c.matches) << c.pattern << " " << c.name.size();
}

TEST(CommandLine, HelpText)
{
    const std::string& help = qv::CommandLineHelpText();
    EXPECT_TRUE(help.starts_with("QV-Update Commandline Parameters.\r\n\r\nThe parameter [/C \"Port Number\"] is "
                                 "optional.\r\n"));
    EXPECT_NE(help.find("saved in \"Application Path\\MEMORY.COD\".\r\n\r\n    Usage: /R $1C000 128 "
                        "C:\\FlashFile.380 /C 1\r\n"),
              std::string::npos);
    EXPECT_TRUE(help.ends_with("default settings.\r\n\r\n    Usage: /ETHReset /C 1"));
    EXPECT_EQ(help.find('\n') - 1, help.find('\r'));
}

} // namespace
