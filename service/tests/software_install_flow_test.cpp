// The software installation against the simulated instrument on virtual
// time: the example packages with and without a backup, the backup put back,
// and the runs that must install nothing or say how far they came.
#include "config/config_image.h"
#include "link/headless_transfer_view.h"
#include "link/matrix_transfer.h"
#include "link/tests/sim_fixture.h"
#include "matrix/dot_identity_query.h"
#include "packages/cdp_writer.h"
#include "service/software_install.h"
#include "sim/testing/sim_process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <utility>

namespace {

namespace fs = std::filesystem;
using qv::SoftwareInstall;
using qv::sim::testing::SlurpFile;

const fs::path kExamples = QV_EXAMPLES_DIR;
constexpr uint32_t kProgramBytes = 1024 * 128; // the RVT120S's program memory

std::vector<uint8_t> Bytes(const fs::path& path)
{
    const std::string text = SlurpFile(path);
    return {text.begin(), text.end()};
}

void Save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class TempFolder {
public:
    TempFolder() : path_(fs::temp_directory_path() / ("qv-install-" + std::to_string(std::random_device{}())))
    {
        fs::create_directories(path_);
    }
    ~TempFolder()
    {
        std::error_code ignored;
        fs::permissions(path_ / "locked", fs::perms::owner_all, ignored);
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// A bar that keeps every text it showed.
struct TextBar : qv::BasicProgress {
    void setText(const std::string& text) override
    {
        BasicProgress::setText(text);
        texts.push_back(text);
    }
    std::vector<std::string> texts;
};

struct InstallView : qv::SoftwareInstallView {
    void setCaption(const std::string& text) override { captions.push_back(text); }
    void setItemDescription(const std::string& text) override { items.push_back(text); }
    qv::Progress& itemBar() override { return item; }
    qv::Progress& overallBar() override { return overall; }
    void enableControls(bool enabled) override { controls = enabled; }
    void enableCancel(bool enabled) override { cancel = enabled; }
    void setBackupName(const std::string& name) override { backupName = name; }
    void offerBackup(bool offered) override { backupOffered = offered; }
    std::optional<int> chooseBiosType() override { return biosType; }
    void closeWindow() override { ++closed; }

    std::vector<std::string> captions;
    std::vector<std::string> items;
    TextBar item;
    TextBar overall;
    bool controls = false;
    bool cancel = false;
    std::string backupName;
    bool backupOffered = false;
    std::optional<int> biosType;
    int closed = 0;
};

struct InstallBench : MatrixSimBench {
    explicit InstallBench(qv::sim::InstrumentOptions options = {}) : MatrixSimBench(options)
    {
        connect(true); // the identification at start, with the text query
    }

    qv::HeadlessTransferView progress;
    qv::MatrixTransfer transfer{link, progress};
    InstallView view;
    std::vector<std::string> debugLines;
    bool portChosen = true;
    SoftwareInstall install{view, sim.prompter, record,
                            qv::InstallConnection{
                                [this] { return portChosen ? &transfer : nullptr; },
                                [this](bool skipText) { connect(!skipText); },
                                [this] { restart(); },
                                [this](const std::string& line) { debugLines.push_back(line); },
                            }};
    TempFolder folder;

    void connect(bool textQuery)
    {
        transfer.quiet = true;
        if (transfer.ConnectInstrument(true) && textQuery && !record.biosMode)
            qv::QueryDotIdentity(channel, record);
    }
    void restart()
    {
        link.RestartRVT();
        sim.clock.sleepMs(1500);
        connect(true);
    }
    // Runs action once, when virtual time has passed t.
    void atMs(int64_t t, std::function<void()> action)
    {
        sim.pump.add([this, t, action = std::move(action)]() mutable {
            if (action && sim.clock.nowMs() >= t)
                std::exchange(action, nullptr)();
        });
    }
    std::vector<uint8_t> memory(uint32_t address, size_t count) { return sim.instrument.peek(address, count); }
    std::string path(const std::string& name) const { return (folder.path() / name).string(); }
    void run(const fs::path& package, const std::string& backup = {})
    {
        install.Show();
        install.Execute(package.string(), !backup.empty(), backup);
    }
};

qv::CdpDraftItem Item(uint16_t kind, uint32_t address, const char* description, std::vector<uint8_t> payload = {})
{
    qv::CdpDraftItem item;
    item.kind = kind;
    item.address = address;
    item.description = description;
    item.payload = std::move(payload);
    return item;
}

std::string Example(const char* name)
{
    return (kExamples / name).string();
}

TEST(SoftwareInstallFlow, SoftwareGoesInAfterItsBackupAndTheBackupPutsItBack)
{
    InstallBench b;
    ASSERT_EQ(b.record.type, 5);
    const auto before = b.memory(0, kProgramBytes);
    const std::string backup = b.path("old");

    b.run(Example("software-blocks.CDP"), backup);
    EXPECT_EQ(b.sim.prompter.texts(),
              std::vector<std::string>{"The software installation is complete,\ra backup of the RVT-Software was "
                                       "created in the directory '" + backup + ".CDP'"});
    EXPECT_EQ(b.memory(0x2000, 1024), Bytes(kExamples / "payloads" / "program.bin"));
    EXPECT_EQ(b.memory(0x18100, 128), Bytes(kExamples / "payloads" / "version.bin"));
    EXPECT_EQ(b.sim.instrument.options().softwareVersion, 0x0540) << "the new software reports its version";
    EXPECT_FALSE(b.sim.instrument.inDownloadMode()) << "restarted at the end";
    EXPECT_EQ(b.view.backupName, backup + ".CDP");
    EXPECT_EQ(b.view.closed, 1);
    ASSERT_EQ(b.debugLines.size(), 4u);
    const auto program = Bytes(kExamples / "payloads" / "program.bin");
    char first[4];
    std::snprintf(first, sizeof first, "%02X ", unsigned(program[0]));
    EXPECT_TRUE(b.debugLines[0].starts_with("DownloadBuffer: " + std::string(first))) << b.debugLines[0];
    EXPECT_EQ(b.debugLines[0].size(), 16u + 11 * 3);
    EXPECT_EQ(b.debugLines[1], "DownloadCode: True");

    // The overall label never claims the end early.
    const auto& overall = b.view.overall.texts;
    EXPECT_NE(std::find(overall.begin(), overall.end(), "99 %"), overall.end());
    const auto full = std::find(overall.begin(), overall.end(), "100 %");
    ASSERT_NE(full, overall.end());
    EXPECT_EQ(std::count(overall.begin(), overall.end(), "100 %"), 1) << "only when the installation sets it";

    b.sim.prompter.clearShown();
    b.run(backup + ".CDP");
    EXPECT_EQ(b.sim.prompter.texts(),
              (std::vector<std::string>{"The RVT-Software has been restored.", SoftwareInstall::kCompleteText}));
    EXPECT_EQ(b.memory(0, kProgramBytes), before) << "byte for byte";
    EXPECT_EQ(b.sim.instrument.options().softwareVersion, 0x0530);
}

TEST(SoftwareInstallFlow, ConfigurationUpgradeWithoutBackup)
{
    InstallBench b;
    qv::ConfigImage expected;
    qv::ConfigImage::Bytes bytes{};
    const auto old = b.memory(SoftwareInstall::kConfigBase, bytes.size());
    std::copy(old.begin(), old.end(), bytes.begin());
    expected.replace(bytes, {});
    ASSERT_TRUE(expected.upgradeTo500() && expected.upgradeTo510());
    const int reads = b.sim.instrument.blockReads();

    b.run(Example("config-upgrade.CDP"));
    EXPECT_EQ(b.sim.prompter.texts(), std::vector<std::string>{SoftwareInstall::kCompleteText});
    const auto now = b.memory(SoftwareInstall::kConfigBase, bytes.size());
    EXPECT_TRUE(std::equal(now.begin(), now.end(), expected.bytes().begin()));
    EXPECT_LT(b.sim.instrument.blockReads() - reads, 1024) << "no backup read";
    EXPECT_EQ(b.view.captions.back(), "Configuration upgrade to 5.10");
}

// Runs that install nothing: the instrument keeps its memory and is not left
// in download mode.
TEST(SoftwareInstallFlow, RunsThatInstallNothing)
{
    std::string error;
    const auto beyond = qv::BuildCdp({"0001", "Beyond", {Item(0, 0x3FFF80, "Past the end", std::vector<uint8_t>(256, 1))}},
                                     error);
    const auto tail = qv::BuildCdp({"0001", "Tail", {Item(0, 0x2000, "Odd size", std::vector<uint8_t>(200, 1))}}, error);
    ASSERT_TRUE(beyond && tail) << error;

    struct Case {
        const char* name;
        uint16_t serial;
        std::vector<uint8_t> package; // empty: software-blocks
        std::string backup;           // "@" + name: in the test's folder
        std::function<void(InstallBench&)> before;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases{
        {"another instrument", 8000, {}, "", {},
         {"The package 'RVT120S software 5.40' holds nothing for the RVT470D-X.\rNothing was installed."}},
        {"past the address space", 12345, *beyond, "", {},
         {"The item 'Past the end' does not fit the RVT's memory.\rThe range $3FFF80 to $40007F lies beyond the "
          "instrument's address space ($0 to $3FFFFF).\rNothing was installed."}},
        {"partial block", 12345, *tail, "", {},
         {"The item 'Odd size' is not made of whole blocks of 128 bytes.\rNothing was installed."}},
        {"backup without a folder", 12345, {}, "old", {},
         {"Please specify a filename for the backup file.", "Please enter a valid filename for the backup file."}},
        {"relative backup name", 12345, {}, "backups/old", {},
         {"Please enter a valid filename for the backup file."}},
        {"backup that cannot be written", 12345, {}, "@gone/old",
         [](InstallBench& b) {
             fs::create_directory(b.folder.path() / "gone");
             // The folder goes away while the software is being read.
             b.sim.pump.add([&b] {
                 if (b.sim.instrument.blockReads() > 100)
                     fs::remove_all(b.folder.path() / "gone");
             });
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qv::sim::InstrumentOptions options;
        options.serial = c.serial;
        InstallBench b(options);
        if (c.before)
            c.before(b);
        const auto memory = b.sim.instrument.memory();
        std::string package = Example("software-blocks.CDP");
        if (!c.package.empty()) {
            package = b.path("package.CDP");
            Save(package, c.package);
        }
        const std::string backup = c.backup.starts_with("@") ? b.path(c.backup.substr(1)) : c.backup;
        b.run(package, backup);
        EXPECT_TRUE(b.sim.instrument.memory() == memory) << "nothing written";
        EXPECT_FALSE(b.sim.instrument.inDownloadMode());
        if (!c.texts.empty()) {
            EXPECT_EQ(b.sim.prompter.texts(), c.texts);
        } else { // the backup that cannot be written: told why, and nothing more
            ASSERT_EQ(b.sim.prompter.texts().size(), 1u);
            EXPECT_TRUE(b.sim.prompter.texts()[0].starts_with("The backup could not be written to '" + backup +
                                                              ".CDP'.\r"))
                << b.sim.prompter.texts()[0];
            EXPECT_TRUE(b.sim.prompter.texts()[0].ends_with("\rNothing was installed."));
            EXPECT_FALSE(fs::exists(backup + ".CDP"));
        }
    }
}

// Stopped halfway: by the user (after the installation's question) or by a
// port that went away. The message says what the instrument holds.
TEST(SoftwareInstallFlow, StoppedHalfwayTheStateIsSaid)
{
    const std::string question =
        "You are about to terminate the software installation.\rTHIS IS NOT RECOMMENDED!!!\r\rDo you wish to proceed?";
    struct Case {
        const char* name;
        std::function<void(InstallBench&)> stop;
        std::vector<std::string> texts;
    };
    const std::vector<Case> cases{
        {"cancel, then No: it goes on",
         [](InstallBench& b) {
             b.sim.prompter.queueAnswer(qv::Answer::No);
             EXPECT_FALSE(b.install.Cancel());
         },
         {question, SoftwareInstall::kCompleteText}},
        {"cancel, then Yes",
         [](InstallBench& b) {
             b.sim.prompter.queueAnswer(qv::Answer::Yes);
             EXPECT_FALSE(b.install.Cancel()) << "the window closes when the run has ended";
         },
         {question,
          std::string(SoftwareInstall::kCancelledText) + "\r" + SoftwareInstall::kPartlyWrittenText}},
        {"port gone", [](InstallBench& b) { b.sim.port.setUnplugged(true); },
         {"The connection to the RVT was lost during the software installation.\r" +
          std::string(SoftwareInstall::kPartlyWrittenText)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InstallBench b;
        bool stopped = false;
        // Once the program block is being written.
        b.sim.pump.add([&] {
            if (!stopped && b.sim.instrument.blockWrites() >= 2) {
                stopped = true;
                c.stop(b);
            }
        });
        b.run(Example("software-blocks.CDP"));
        EXPECT_TRUE(stopped);
        EXPECT_EQ(b.sim.prompter.texts(), c.texts);
        EXPECT_EQ(b.view.closed, 1);
        EXPECT_FALSE(b.install.running());
    }
}

TEST(SoftwareInstallFlow, BiosModeSkipsWordsAndConfigurationButWritesSoftware)
{
    qv::sim::InstrumentOptions options;
    options.biosMode = true;
    InstallBench b(options);
    b.view.biosType = 5;
    std::string error;
    const auto package =
        qv::BuildCdp({"0001",
                      "Mixed",
                      {Item(0, 0x2000, "Program", std::vector<uint8_t>(128, 0x5A)),
                       Item(1, 0x2100, "Word", qv::CdpValuePayload(1, 0x1234)), Item(9, 0, "Configuration")}},
                     error);
    ASSERT_TRUE(package) << error;
    const std::string path = b.path("mixed.CDP");
    Save(path, *package);

    b.install.Show();
    EXPECT_FALSE(b.view.backupOffered);
    EXPECT_EQ(b.record.type, 5) << "the type chosen in the BIOS-mode dialog";
    EXPECT_EQ(b.view.captions.back(), "RVT120S");
    b.install.Execute(path, false, {});
    EXPECT_EQ(b.memory(0x2000, 128), std::vector<uint8_t>(128, 0x5A));
    EXPECT_NE(b.memory(0x2100, 2), (std::vector<uint8_t>{0x12, 0x34}));
    EXPECT_EQ(b.sim.prompter.texts(), std::vector<std::string>{SoftwareInstall::kBiosSkipText});
}

TEST(SoftwareInstallFlow, AskedWordIsAskedOnceAndWritten)
{
    InstallBench b;
    std::string error;
    const auto package = qv::BuildCdp({"0001",
                                       "Words",
                                       {Item(7, 0x2100, "Gain offset", qv::CdpValuePayload(7, 100)),
                                        Item(7, 0x2180, "Second", qv::CdpValuePayload(7, 5)),
                                        Item(1, 0x2200, "Fixed", qv::CdpValuePayload(1, 0xBEEF))}},
                                      error);
    ASSERT_TRUE(package) << error;
    const std::string path = b.path("words.CDP");
    Save(path, *package);
    b.sim.prompter.queueText("1F40");
    b.sim.prompter.queueText("70000");
    b.sim.prompter.queueText("$1f4");
    b.run(path);
    EXPECT_EQ(b.sim.prompter.texts(),
              (std::vector<std::string>{"Input.", "Illegal data, please try again.", "Input.",
                                        "Data is out of range, please try again.", "Input.",
                                        SoftwareInstall::kCompleteText}));
    EXPECT_EQ(b.memory(0x2100, 2), (std::vector<uint8_t>{0x01, 0xF4}));
    EXPECT_EQ(b.memory(0x2180, 2), (std::vector<uint8_t>{0x01, 0xF4})) << "the first answer, not asked again";
    EXPECT_EQ(b.memory(0x2200, 2), (std::vector<uint8_t>{0xBE, 0xEF}));
}

} // namespace
