// End to end: the real qv-update with --batch, without a display, against
// qv-instrument-sim on a pseudo-terminal in real time.
#include "link/update_link.h"
#include "platform/host/scripted_prompter.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_serial_port.h"
#include "platform/tests/qt_test_app.h"
#include "sim/fpga_image.h"
#include "sim/io_firmware_image.h"
#include "sim/io_module_options.h"
#include "sim/testing/sim_process.h"
#include "updater/intel_hex.h"
#include "updater/tests/preset_fixture.h"
#include "updater/xsvf.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <thread>

namespace {

// A peer that takes the bytes written to it one a millisecond, as a 9600-baud
// line delivers them, not at once: what the program writes waits on the
// device a while, as with real peers.
const std::vector<std::string> kSlowReader = {"--read-pace-us", "1000"};

std::vector<std::string> Options(std::vector<std::string> options, const std::vector<std::string>& more)
{
    options.insert(options.end(), more.begin(), more.end());
    return options;
}

struct UpdateRun {
    int status = -1;
    std::string err;
};

// qv-update with the words given, no display in reach, its settings file
// in the test's folder.
UpdateRun RunUpdate(const std::vector<std::string>& words, const std::filesystem::path& dir)
{
    std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME='" + dir.string() +
                          "' '" + std::string(QV_UPDATE_PATH) + "'";
    for (const auto& w : words)
        command += " '" + w + "'";
    command += " 2>'" + (dir / "err").string() + "' >/dev/null";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, qv::sim::testing::SlurpFile(dir / "err")};
}

// The instrument's protect flag, read over the pseudo-terminal as any
// client would; a restart clears it.
class FlagProbe {
public:
    explicit FlagProbe(const std::string& device) : device_(device) {}

    bool set()
    {
        Open open(*this);
        return open.ok && link_.ToggleProtectFlag();
    }
    // The flag once the instrument answers again after its boot.
    int read()
    {
        Open open(*this);
        uint8_t flag = 0;
        const bool ok = open.ok && channel_.Attempt(kBootAttempts, kBootPauseMs, [&] {
            return link_.ReadProtectFlag(flag);
        });
        return ok ? flag : -1;
    }

private:
    static constexpr int kBootAttempts = 20;
    static constexpr int kBootPauseMs = 100;
    struct Open {
        explicit Open(FlagProbe& p) : probe(p), ok(p.port_.open(p.device_)) { p.channel_.rxMode = qv::RxMode::Binary; }
        ~Open() { probe.port_.close(); }
        FlagProbe& probe;
        bool ok;
    };

    std::string device_;
    qv::SteadyClock clock_;
    qv::QtEventPump pump_;
    qv::ScriptedPrompter prompter_;
    qv::QtSerialPort port_;
    qv::UpdateChannel channel_{port_, qv::HostServices{clock_, pump_, prompter_}};
    qv::UpdateLink link_{channel_};
};

TEST(UpdateEndToEnd, RestartThroughTheIoInterface)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    qv::sim::testing::SimulatorProcess sim(
        QV_SIM_PATH, Options({"--baud", "115200", "--boot-ms", "300", "--io-module"}, kSlowReader), folder);
    ASSERT_FALSE(sim.device().empty()) << "simulator did not start";
    FlagProbe probe(sim.device());
    ASSERT_TRUE(probe.set());
    ASSERT_EQ(probe.read(), 1);

    const UpdateRun run = RunUpdate({"--batch", "/I", "/C", sim.device()}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    // A reply of the earlier exchanges may still be on its way through the
    // pseudo-terminal: the flag counts once a read gives 0, within a few tries.
    int flag = -1;
    for (int tries = 0; tries < 5 && flag != 0; ++tries)
        flag = probe.read();
    EXPECT_EQ(flag, 0) << "the restart cleared the flag";
}

// qv-update installs a DSP file of `size` bytes into the simulator started
// with `simOptions`: the file's bytes and the simulator's memory after it.
struct DspRun {
    std::string bytes;
    std::string memory;
};

DspRun InstallDspFile(const std::vector<std::string>& simOptions, size_t size, unsigned step)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    DspRun result;
    result.bytes.resize(size);
    for (size_t i = 0; i < size; ++i)
        result.bytes[i] = char(i * step + 5);
    const std::string file = (folder / "update.380").string();
    std::ofstream(file, std::ios::binary) << result.bytes;

    qv::sim::testing::SimulatorProcess sim(QV_SIM_PATH, simOptions, folder);
    EXPECT_FALSE(sim.device().empty()) << "simulator did not start";
    if (sim.device().empty())
        return result;
    const UpdateRun run = RunUpdate({"--batch", "/F", file, "/C", sim.device()}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    result.memory = sim.stopAndDump();
    EXPECT_EQ(result.memory.size(), size_t(1) << 22);
    result.memory.resize(size_t(1) << 22);
    return result;
}

TEST(UpdateEndToEnd, DspFileIntoTheInstrumentsMemory)
{
    const DspRun r = InstallDspFile(Options({"--baud", "115200", "--boot-ms", "300"}, kSlowReader), 1000, 13);
    EXPECT_EQ(r.memory.substr(0x1C000, 896), r.bytes.substr(0, 896)) << "seven whole sectors";
    EXPECT_NE(r.memory.substr(0x1C000 + 896, 104), r.bytes.substr(896)) << "not the part sector";
}

TEST(UpdateEndToEnd, PresetFileIntoTheConfigurationMemory)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    // A file from 5.00 for an instrument at 5.30: unattended, the upgrade
    // question takes its default, Yes.
    const std::vector<uint8_t> bytes = PresetFileBytes(FixtureConfiguration(0x0500));
    const std::string file = (folder / "studio.PRE").string();
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    qv::ConfigImage upgraded = FixtureConfiguration(0x0500);
    ASSERT_TRUE(upgraded.upgradeTo510());

    // 16 KiB at the slow peer's pace would take half a minute; the tests
    // above run against it.
    qv::sim::testing::SimulatorProcess sim(QV_SIM_PATH, {"--baud", "115200", "--boot-ms", "300"}, folder);
    ASSERT_FALSE(sim.device().empty()) << "simulator did not start";
    const UpdateRun run = RunUpdate({"--batch", "/F", file, "/C", sim.device()}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Warning: The preset does not appear to be compatable"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Information: Download complete.\nPress NEXT to continue.\n"), std::string::npos) << run.err;

    const std::string memory = sim.stopAndDump();
    ASSERT_EQ(memory.size(), size_t(1) << 22);
    EXPECT_EQ(memory.substr(0x1C000, 16384), std::string(upgraded.bytes().begin(), upgraded.bytes().end()));
    EXPECT_EQ(qv::sim::testing::SlurpFile(file), std::string(bytes.begin(), bytes.end())) << "the file is only read";
}

// A front-panel command's answer: the line it adds to the simulator's output.
std::string Ask(qv::sim::testing::SimulatorProcess& sim, const std::string& command)
{
    const size_t before = sim.output().size();
    if (!sim.frontPanel(command))
        return {};
    for (int tries = 0; tries < 100; ++tries) {
        const std::string out = sim.output();
        if (const size_t end = out.find('\n', before); end != std::string::npos)
            return out.substr(before, end - before);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

// The example package of new software: in the instrument's memory, and
// reported as its version once it has restarted.
TEST(UpdateEndToEnd, SoftwarePackageAndTheVersionAfterTheRestart)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const std::filesystem::path examples = QV_EXAMPLES_DIR;
    qv::sim::testing::SimulatorProcess sim(QV_SIM_PATH, Options({"--baud", "115200", "--boot-ms", "300"}, kSlowReader),
                                           folder);
    ASSERT_FALSE(sim.device().empty()) << "simulator did not start";
    EXPECT_EQ(Ask(sim, "version"), "5.30");
    const UpdateRun run =
        RunUpdate({"--batch", "/F", (examples / "software-blocks.CDP").string(), "/C", sim.device()}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Information: The software installation is complete. Elapsed Time: "), std::string::npos)
        << run.err;
    EXPECT_EQ(Ask(sim, "version"), "5.40");

    const std::string memory = sim.stopAndDump();
    ASSERT_EQ(memory.size(), size_t(1) << 22);
    EXPECT_EQ(memory.substr(0x2000, 1024), qv::sim::testing::SlurpFile(examples / "payloads" / "program.bin"));
    EXPECT_EQ(memory.substr(0x18100, 128), qv::sim::testing::SlurpFile(examples / "payloads" / "version.bin"));
}

void Write(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The module starts in its boot loader, so the download needs no restart first.
const std::vector<std::string> kBootLoaderModule = {"--baud", "115200", "--boot-ms", "300", "--io-mode", "1"};

TEST(UpdateEndToEnd, HexFileIntoTheIoModulesFlash)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const auto image = qv::sim::ioFirmwareImage({3, 5, 1, 14, "E2E RUN code 5.01"}, std::vector<uint8_t>(700, 0x5A));
    std::string text;
    for (const auto& record : qv::ihex::ImageRecords(image, qv::sim::kIoApplicationStart, 16))
        text += qv::ihex::FormatRecord(record) + "\r\n";
    Write(folder / "fw.hex", {text.begin(), text.end()});

    qv::sim::testing::SimulatorProcess sim(QV_SIM_PATH, kBootLoaderModule, folder);
    ASSERT_FALSE(sim.device().empty()) << "simulator did not start";
    const UpdateRun run = RunUpdate({"--batch", "/F", (folder / "fw.hex").string(), "/C", sim.device()}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    // The boot loader starts only a RUN code whose CRC matches what it was given.
    EXPECT_EQ(Ask(sim, "io"), "RUN 5.1 (ID 3), system mode 0: E2E RUN code 5.01");
}

TEST(UpdateEndToEnd, XsvfImageConfiguresTheMainboardFpga)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const std::vector<uint8_t> bitstream(1500, 0xA5);
    Write(folder / "board.xsvf",
          qv::xsvf::Encode(qv::sim::fpgaConfigurationProgram(qv::sim::kVp20Idcode, bitstream, 512)));

    // The first loader stage reports a current register: one stage to install.
    std::vector<std::string> options = kBootLoaderModule;
    options.insert(options.end(), {"--io-register-fixed", "14"});
    qv::sim::testing::SimulatorProcess sim(QV_SIM_PATH, options, folder);
    ASSERT_FALSE(sim.device().empty()) << "simulator did not start";
    EXPECT_EQ(Ask(sim, "fpga"), "not configured");
    const UpdateRun run = RunUpdate({"--batch", "/F", (folder / "board.xsvf").string(), "/C", sim.device()}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Ask(sim, "fpga"), "configured 1500 bytes, started");
    EXPECT_EQ(Ask(sim, "io"), "RUN 3.11 (ID 3), system mode 0: QV-Sim I/O FPGA loader stage 1 v3.11");
}

TEST(UpdateEndToEnd, FlashReadThroughTheModulesFastPath)
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    qv::sim::testing::SimulatorProcess sim(QV_SIM_PATH, {"--baud", "115200", "--boot-ms", "300", "--io-module"},
                                           folder);
    ASSERT_FALSE(sim.device().empty()) << "simulator did not start";
    const std::string file = (folder / "out.380").string();
    const UpdateRun run = RunUpdate({"--batch", "/R", "$1C000", "128", file, "/C", sim.device()}, folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    const std::string memory = sim.stopAndDump();
    ASSERT_EQ(memory.size(), size_t(1) << 22);
    EXPECT_EQ(qv::sim::testing::SlurpFile(file), memory.substr(0x1C000, 128 * 128));
}

TEST(UpdateEndToEnd, DspFileThroughTheModulesFastPath)
{
    const DspRun r = InstallDspFile({"--baud", "115200", "--boot-ms", "300", "--io-module"}, 1300, 29);
    EXPECT_EQ(r.memory.substr(0x1C000, 1300), r.bytes);
    EXPECT_EQ(r.memory.substr(0x1C000 + 1300, 108), std::string(108, '\xFF')) << "the last sector filled up";
}

TEST(UpdateEndToEnd, ExitStatusOfABadOption)
{
    QTemporaryDir dir;
    const UpdateRun run = RunUpdate({"--batch", "--bogus"}, dir.path().toStdString());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Unknown option --bogus."), std::string::npos) << run.err;
}

} // namespace
