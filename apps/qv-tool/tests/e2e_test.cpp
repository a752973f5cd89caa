// The real qv-tool against qv-instrument-sim on a pseudo-terminal, in real
// time. Few and short: the flows themselves are tested on virtual time.
#include "sim/testing/sim_process.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using qvtool::test::RunTool;
using qvtool::test::Slurp;

// qv-instrument-sim in the background, ended with SIGTERM.
struct Simulator : qv::sim::testing::SimulatorProcess {
    Simulator(const std::vector<std::string>& options, const fs::path& dir)
        : SimulatorProcess(QV_SIM_PATH, options, dir)
    {
    }
};

struct TempDir {
    fs::path path = fs::temp_directory_path() /
                    ("qv-e2e-" + std::to_string(getpid()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

void ExpectReadMatchesMemory(const std::vector<std::string>& simOptions)
{
    TempDir dir;
    Simulator sim(simOptions, dir.path);
    ASSERT_FALSE(sim.device().empty()) << "simulator did not start";
    auto r = RunTool({"read", "--port", sim.device(), "0x1C000", "128", (dir.path / "config.bin").string()},
                     dir.path);
    ASSERT_EQ(r.status, 0) << r.err;
    std::string config = Slurp(dir.path / "config.bin");
    std::string memory = sim.stopAndDump();
    ASSERT_EQ(config.size(), 16384u);
    ASSERT_EQ(memory.size(), size_t(1) << 22);
    EXPECT_TRUE(config == memory.substr(0x1C000, 16384)) << "bytes differ from the instrument's memory";
}

} // namespace

TEST(QvToolEndToEnd, IdentifiesThroughBothVariants)
{
    TempDir dir;
    Simulator sim({"--serial", "12345", "--revision", "1"}, dir.path);
    ASSERT_FALSE(sim.device().empty());
    for (std::string variant : {"update", "matrix"}) {
        auto r = RunTool({"identify", "--port", sim.device(), "--variant", variant}, dir.path);
        EXPECT_EQ(r.status, 0) << variant << ": " << r.err;
        EXPECT_NE(r.out.find("connected=true\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("bios=false\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("type=5\nname=RVT120S\nserial=12345\nrevision=1\nversion=5.30\n"), std::string::npos)
            << variant << ": " << r.out;
    }
}

TEST(QvToolEndToEnd, ReadsTheConfigurationArea)
{
    ExpectReadMatchesMemory({});
}

TEST(QvToolEndToEnd, ReadsCorrectlyDespiteCorruptedChecksums)
{
    // Paced faster: the retries, not the line speed, are under test here.
    ExpectReadMatchesMemory({"--corrupt-every", "7", "--baud", "57600"});
}

// Against a peer that takes the bytes written to it one a millisecond, as a
// 9600-baud line delivers them, not at once as qv-instrument-sim otherwise does.
TEST(QvToolEndToEnd, WritesToASlowlyReadingPeer)
{
    TempDir dir;
    Simulator sim({"--baud", "115200", "--read-pace-us", "1000"}, dir.path);
    ASSERT_FALSE(sim.device().empty());
    std::string bytes(4 * 128, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 29 + 3);
    const fs::path file = dir.path / "blocks.bin";
    std::ofstream(file, std::ios::binary) << bytes;
    auto r = RunTool({"write", "--port", sim.device(), "0x1D000", file.string()}, dir.path);
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string memory = sim.stopAndDump();
    ASSERT_EQ(memory.size(), size_t(1) << 22);
    EXPECT_TRUE(memory.substr(0x1D000, bytes.size()) == bytes) << "the instrument holds every block";
}

// Refused before the port is even opened: the missing port is never reached.
TEST(QvToolEndToEnd, RangesBeyondTheAddressSpaceAreRefused)
{
    TempDir dir;
    const fs::path threeBlocks = dir.path / "three.bin";
    std::ofstream(threeBlocks, std::ios::binary) << std::string(3 * 128 + 5, 'x');
    const std::string port = "/dev/qv-no-such-port";
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string errStart;
    } cases[] = {
        {{"read", "--port", port, "0x3FFF80", "1", (dir.path / "r.bin").string()}, 1, "qv-tool: Unable to open"},
        {{"read", "--port", port, "$3FFF81", "1", (dir.path / "r.bin").string()}, 2,
         "qv-tool: The range $3FFF81 to $400000 lies beyond the instrument's address space ($0 to $3FFFFF).\n"},
        {{"write", "--port", port, "0x3FFE80", threeBlocks.string()}, 1, "qv-tool: Unable to open"},
        {{"write", "--port", port, "0x3FFF00", threeBlocks.string()}, 1,
         "qv-tool: The range $3FFF00 to $40007F lies beyond the instrument's address space ($0 to $3FFFFF).\n"},
    };
    for (const auto& c : cases) {
        auto r = RunTool(c.args, dir.path);
        EXPECT_EQ(r.status, c.status) << c.args[0] << " " << c.args[3];
        EXPECT_EQ(r.err.rfind(c.errStart, 0), 0u) << r.err;
    }
}

TEST(QvToolEndToEnd, FailuresAreReportedWithStatus)
{
    TempDir dir;
    auto missing = RunTool({"identify", "--port", "/dev/qv-no-such-port"}, dir.path);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("qv-tool: Unable to open /dev/qv-no-such-port", 0), 0u) << missing.err;
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);

    Simulator silent({"--no-answer"}, dir.path);
    ASSERT_FALSE(silent.device().empty());
    auto none = RunTool({"identify", "--port", silent.device()}, dir.path);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "qv-tool: No instrument found.\n");
    EXPECT_NE(none.out.find("connected=false\n"), std::string::npos);

    auto usage = RunTool({"read", "--port", silent.device(), "0x1C000"}, dir.path);
    EXPECT_EQ(usage.status, 2);
}

TEST(QvToolEndToEnd, FlashThroughTheModuleAndTheInstrument)
{
    TempDir dir;
    Simulator sim({"--io-module", "--baud", "115200"}, dir.path);
    ASSERT_FALSE(sim.device().empty());
    std::string image(1300, '\0');
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = char(i * 17 + 3);
    const std::string file = (dir.path / "dsp.bin").string();
    std::ofstream(file, std::ios::binary) << image;
    // 11 sectors: the file, then erased bytes to the end of the last one.
    const std::string sectors = image + std::string(11 * 128 - image.size(), '\xFF');

    auto write = RunTool({"flash", "write", "--port", sim.device(), "--fast", "$20010", file}, dir.path);
    ASSERT_EQ(write.status, 0) << write.err;
    for (bool fast : {true, false}) {
        std::vector<std::string> args = {"flash", "read", "--port", sim.device(), "$20000", "11",
                                         (dir.path / "back.bin").string()};
        if (fast)
            args.push_back("--fast");
        auto read = RunTool(args, dir.path);
        ASSERT_EQ(read.status, 0) << fast << ": " << read.err;
        EXPECT_TRUE(Slurp(dir.path / "back.bin") == sectors) << fast;
    }
    auto beyond = RunTool({"flash", "read", "--port", sim.device(), "$3FFF80", "2", "x.bin"}, dir.path);
    EXPECT_EQ(beyond.status, 2) << "past the 22-bit address space";
}
