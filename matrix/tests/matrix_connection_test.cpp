// Identify, upload, download and restart against the simulated instrument.
#include "fake_main_view.h"
#include "link/headless_transfer_view.h"
#include "link/tests/sim_fixture.h"
#include "matrix/matrix_connection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using qv::MainCommand;
using qv::MainField;

struct ConnectionBench {
    explicit ConnectionBench(qv::sim::InstrumentOptions options = {}) : link(options)
    {
        connection.transferWindow = [this] { return &transfer; };
        connection.interface = qv::MatrixInterface::Serial;
    }
    MatrixSimBench link;
    qv::HeadlessTransferView transferView;
    qv::MatrixTransfer transfer{link.link, transferView};
    qv::ConfigImage image;
    FakeMainView view;
    qv::ConfigDocument document{image, view, link.sim.prompter};
    qv::MatrixConnection connection{document, link.record, view, link.sim.prompter, link.sim.clock};

    qv::ScriptedPrompter& prompter() { return link.sim.prompter; }
    qv::sim::Instrument& instrument() { return link.sim.instrument; }
};

qv::sim::InstrumentOptions Options(uint16_t serial, uint16_t version = 0x0530, bool text = true)
{
    qv::sim::InstrumentOptions o;
    o.serial = serial;
    o.softwareVersion = version;
    o.answersText = text;
    return o;
}

} // namespace

TEST(MatrixConnection, IdentifiesASupportedInstrument)
{
    ConnectionBench b;
    b.connection.identify();
    EXPECT_TRUE(b.connection.connected());
    EXPECT_EQ(b.view.field(MainField::Connection), "RVT120S");
    EXPECT_EQ(b.view.field(MainField::Serial), "Serial No.: 12345");
    EXPECT_TRUE(b.view.isEnabled(MainCommand::Upload));
    EXPECT_TRUE(b.view.isEnabled(MainCommand::RemoteControl));
    EXPECT_EQ(b.connection.instrumentVersion(), 0x0530);
    EXPECT_TRUE(b.prompter().shown().empty());
}

TEST(MatrixConnection, IdentifyOutcomes)
{
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        std::string connectionField;
        std::vector<std::string> messages;
        bool upload;
    };
    qv::sim::InstrumentOptions bios;
    bios.biosMode = true;
    qv::sim::InstrumentOptions silent;
    silent.noAnswer = true;
    const Case cases[] = {
        {"unsupported type", Options(6050), "RVT470S-A",
         {"The connected RVT470S-A is not supported by this program.\rPlease see helpfile for suported RVT´s."}, false},
        {"BIOS mode", bios, "BIOS-mode", {"The connected RVT is in BIOS mode.\rUpload is disabled."}, false},
        {"no instrument", silent, "Not Connected", {"No instrument found."}, false},
    };
    for (const auto& c : cases) {
        ConnectionBench b(c.options);
        b.connection.identify();
        EXPECT_EQ(b.view.field(MainField::Connection), c.connectionField) << c.name;
        EXPECT_EQ(b.prompter().texts(), c.messages) << c.name;
        EXPECT_EQ(b.view.isEnabled(MainCommand::Upload), c.upload) << c.name;
        EXPECT_FALSE(b.view.isEnabled(MainCommand::RemoteControl)) << c.name;
    }
}

// Identification at start-up moves the splash on; the memory version read
// is the last step it waits for.
TEST(MatrixConnection, IdentifyAdvancesTheSplashAndTheVersionReadEndsIt)
{
    ConnectionBench text;
    text.connection.identify();
    EXPECT_EQ(text.view.splashAdvanced, 1024);
    EXPECT_EQ(text.view.splashHidden, 0);

    ConnectionBench memory(Options(12345, 0x0412, false));
    memory.connection.identify();
    EXPECT_EQ(memory.view.splashAdvanced, 1024) << "after the query, answered or not";
    EXPECT_EQ(memory.view.splashHidden, 1);
}

TEST(MatrixConnection, UploadFillsImageAndTrailer)
{
    ConnectionBench b;
    b.connection.upload();
    EXPECT_TRUE(b.document.hasImage());
    EXPECT_TRUE(std::equal(b.image.bytes().begin(), b.image.bytes().end(),
                           b.instrument().peek(0x1C000, 16384).begin()));
    EXPECT_TRUE(b.image.modified());
    EXPECT_EQ(b.image.trailer().serial, 12345);
    EXPECT_EQ(b.image.trailer().type, 5);
    EXPECT_EQ(b.image.imageVersion(), 0x0530);
    EXPECT_EQ(b.view.field(MainField::File), "Configuration Uploaded from RVT...");
    EXPECT_TRUE(b.view.imageShown);
    EXPECT_TRUE(b.view.isEnabled(MainCommand::Download));
    EXPECT_TRUE(b.view.isEnabled(MainCommand::LockCode));
    EXPECT_TRUE(b.view.mainEnabled);
    EXPECT_EQ(b.prompter().texts(), std::vector<std::string>{"Configuration is uploaded correctly..."});
}

TEST(MatrixConnection, UploadWithoutTextRepliesTakesTheMemoryVersion)
{
    ConnectionBench b(Options(12345, 0x0412, false));
    b.connection.upload();
    EXPECT_DOUBLE_EQ(b.connection.memoryVersion(), 4.12);
    EXPECT_EQ(b.image.imageVersion(), 0x0412);
    EXPECT_EQ(b.image.trailer().serial, 12345);
    EXPECT_FALSE(b.view.isEnabled(MainCommand::RemoteControl));
}

TEST(MatrixConnection, CancelledUploadKeepsThePreviousImage)
{
    ConnectionBench b;
    b.connection.upload();
    b.image.setPresetName(0, "Mine");
    const auto before = b.image.bytes();
    b.prompter().queueAnswer(qv::Answer::No); // discard the changes
    b.link.sim.pump.add([&] {
        if (b.transfer.mode == qv::TransferMode::Upload && b.transferView.bar().position() >= 4096)
            b.transfer.cancel = true;
    });
    b.prompter().clearShown();
    b.connection.upload();
    EXPECT_EQ(b.prompter().texts(), (std::vector<std::string>{"Do you wish to save the changes?", "Upload is terminated..."}));
    EXPECT_EQ(b.view.field(MainField::File), "Upload terminated by the user...");
    EXPECT_EQ(b.image.bytes(), before);
}

TEST(MatrixConnection, DownloadOffersTheUpgradeToANewerInstrument)
{
    ConnectionBench b(Options(12345, 0x0510));
    b.connection.upload();
    b.image.setImageVersion(0x0500);
    b.prompter().clearShown();
    b.prompter().queueAnswer(qv::Answer::Yes);
    b.connection.download();
    ASSERT_FALSE(b.prompter().shown().empty());
    EXPECT_EQ(b.prompter().shown()[0].text,
              "The preset does not appear to be compatable with the software version in the RVT.\rIt is STRONGLY "
              "recommended to upgrade the preset. \r\rDo you wish to upgrade the preset.");
    EXPECT_EQ(b.prompter().shown()[0].helpTopic, qv::HelpTopic::PresetUpgrade);
    EXPECT_EQ(b.image.imageVersion(), 0x0510);
    EXPECT_EQ(b.prompter().shown().back().text, "Download complete.");
    EXPECT_TRUE(std::equal(b.image.bytes().begin(), b.image.bytes().end(),
                           b.instrument().peek(0x1C000, 16384).begin()));
    EXPECT_GE(b.instrument().restartCount(), 2) << "download mode, then the restart after the download";
    EXPECT_TRUE(b.connection.connected()) << "identified again after the restart";
}

TEST(MatrixConnection, NoUpgradeOfferWithoutAnInstrumentVersion)
{
    ConnectionBench b(Options(12345, 0x0530, false));
    b.connection.upload();
    b.image.setImageVersion(0x0412);
    b.prompter().clearShown();
    b.connection.download();
    EXPECT_EQ(b.prompter().texts(), std::vector<std::string>{"Download complete."});
}

TEST(MatrixConnection, RestartWithoutAPortTellsSo)
{
    ConnectionBench b;
    b.connection.interface = qv::MatrixInterface::None;
    b.connection.savedPortName = "COM3";
    b.connection.restart();
    ASSERT_EQ(b.prompter().shown().size(), 1u);
    EXPECT_EQ(b.prompter().shown()[0].text, "The previously used comport (COM3) is no longer available.\rPlease select a "
                                            "different port from the Interface menu.");
    EXPECT_EQ(b.prompter().shown()[0].helpTopic, qv::HelpTopic::MissingPort);
    EXPECT_TRUE(b.view.mainEnabled);
}

namespace {

// Plays the external transfer program: answers each argument string as the
// contract says, or leaves nothing behind.
struct FakeExternalProgram : qv::ExternalProgram {
    std::string folder;
    bool leavesResult = true;
    std::vector<std::string> calls;
    std::vector<uint8_t> downloaded;

    std::string path() const override { return "xfer"; }

    bool run(const std::string& arguments, const std::string& workingFolder, bool wait) override
    {
        calls.push_back(arguments + (wait ? "" : " (no wait)"));
        if (arguments == "/r $1c000 128" && leavesResult) {
            std::ofstream out(std::filesystem::path(workingFolder) / "memory.cod", std::ios::binary);
            std::vector<char> raw(16384, 'x');
            out.write(raw.data(), std::streamsize(raw.size()));
        }
        if (arguments == "/d memory.380") {
            std::ifstream in(std::filesystem::path(workingFolder) / "memory.380", std::ios::binary);
            downloaded.assign(std::istreambuf_iterator<char>(in), {});
        }
        return true;
    }
};

struct ExtBench : ConnectionBench {
    ExtBench()
    {
        folder = std::filesystem::temp_directory_path() / ("qv-ext-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        connection.interface = qv::MatrixInterface::Ext;
        connection.externalProgram = &program;
        connection.temporaryFolder = folder.string();
    }
    ~ExtBench() { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    FakeExternalProgram program;
};

} // namespace

TEST(MatrixConnection, ExternalProgramUploadAndDownload)
{
    ExtBench b;
    b.connection.upload();
    EXPECT_EQ(b.program.calls, std::vector<std::string>{"/r $1c000 128"});
    EXPECT_EQ(b.view.dialogs, std::vector<std::string>{"Upload."});
    EXPECT_EQ(b.image.byte(100), 'x');
    EXPECT_TRUE(b.image.modified());
    EXPECT_FALSE(std::filesystem::exists(b.folder / "memory.cod"));

    b.prompter().clearShown();
    b.prompter().queueAnswer(qv::Answer::Yes);
    b.connection.download();
    EXPECT_EQ(b.program.downloaded.size(), 16384u);
    EXPECT_EQ(b.prompter().texts(), std::vector<std::string>{"Download complete.\r\rDo you wish to reset the RVT?"});
    EXPECT_EQ(b.program.calls.back(), "/i (no wait)");
    EXPECT_FALSE(std::filesystem::exists(b.folder / "memory.380"));
}

TEST(MatrixConnection, ExternalUploadWithoutResult)
{
    ExtBench b;
    b.program.leavesResult = false;
    b.connection.upload();
    EXPECT_EQ(b.prompter().texts(),
              std::vector<std::string>{"Error in uploading configuration...\r\rPlease check if the RVT is connected "
                                       "correctly.\r\rOperation is aborted..."});
    EXPECT_FALSE(b.document.hasImage());
    EXPECT_TRUE(b.view.mainEnabled);
}
