// --batch: the command line's job without a window, against the simulated
// instrument on virtual time, and the exit status it ends with.
#include "batch_fixture.h"

#include "apps/qv-update/batch_prompter.h"
#include "sim/fpga_image.h"
#include "sim/io_firmware_image.h"
#include "sim/virtual_instrument.h"
#include "updater/intel_hex.h"
#include "updater/tests/preset_fixture.h"
#include "updater/tests/wizard_fixture.h"
#include "updater/xsvf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

namespace {

using Texts = std::vector<std::string>;

TEST(Batch, ExitStatusOfEachJob)
{
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("qv-batch-" + std::to_string(std::random_device{}()))).string();
    std::filesystem::create_directories(folder);
    const std::string dsp = folder + "/X.380";
    std::ofstream(dsp, std::ios::binary) << std::string(300, 'D');

    qv::sim::InstrumentOptions silent;
    silent.noAnswer = true;
    struct Case {
        std::vector<std::string> words;
        qv::sim::InstrumentOptions options;
        int status;
        Texts messages;
    } cases[] = {
        {{"/I", "/C", "SIM"}, {}, qv::kExitDone, {}},
        {{"/I"}, WithIo(), qv::kExitDone, {}},
        {{"/I", "BIOS", "/C", "SIM"}, WithIo(), qv::kExitDone, {}},
        {{"/F", dsp, "/C", "SIM"}, {}, qv::kExitDone, {}},
        {{"/E"}, {}, qv::kExitFailed, {"This command is not supported by the instrument."}},
        {{"/I", "fpga"}, WithIo(), qv::kExitFailed, {"This command is not supported by the instrument."}},
        // Failed in the status text only.
        {{"/KEY", "DOWN"}, {}, qv::kExitFailed, {}},
        {{"/F", folder + "/gone.380"}, {}, qv::kExitFailed, {"The file \"" + folder + "/gone.380\" was not found."}},
        {{"/R", "$1C000", "128", folder + "/flash", "/C", "SIM"}, WithIo(), qv::kExitDone, {}},
        {{"/R", "$1C000", "129", folder + "/flash", "/C", "SIM"},
         WithIo(),
         qv::kExitFailed,
         {"Illegal Sector Count.\rThe sector count must be between 1 and 128."}},
        // Nothing found, and no job: nothing done.
        {{"/I"}, silent, qv::kExitFailed, {}},
        {{"/R", "start", "128"}, {}, qv::kExitFailed, {}},
        {{}, {}, qv::kExitFailed, {}},
        {{"/d", "memory.380"}, {}, qv::kExitFailed, {}},
    };
    for (const auto& c : cases) {
        const std::string name = ::testing::PrintToString(c.words);
        Batch b(c.options);
        const int restarts = b.instrument.restartCount();
        EXPECT_EQ(b.run(c.words), c.status) << name;
        EXPECT_EQ(b.prompter.texts(), c.messages) << name;
        if (c.status == qv::kExitDone) {
            EXPECT_GT(b.instrument.restartCount(), restarts) << name;
        } else if (c.messages.empty()) {
            EXPECT_FALSE(b.errText.empty()) << name << ": a failure says something";
        }
        EXPECT_FALSE(b.port.isOpen()) << name;
    }
    std::filesystem::remove_all(folder);
}

TEST(Batch, WhatTheJobsLeaveBehind)
{
    Batch bios(WithIo());
    ASSERT_EQ(bios.run({"/I", "BIOS"}), qv::kExitDone);
    EXPECT_TRUE(bios.instrument.options().biosMode);
    EXPECT_FALSE(bios.wire.ioModule()->commandMode()) << "the module is left transparent";

    Batch ethernet(WithIo());
    ASSERT_EQ(ethernet.run({"/ETHReset"}), qv::kExitDone);
    EXPECT_EQ(ethernet.wire.ioModule()->ethernetResets(), 1);

    Batch key;
    EXPECT_EQ(key.run({"/KEY", "DOWN"}), qv::kExitFailed);
    EXPECT_EQ(key.errText,
              "qv-update: the job was not done: Keydown could not be set correctly. Please install the FPGA-Loader.\n");

    Batch refused;
    refused.port.setRefuseOpen(true);
    EXPECT_EQ(refused.run({"/I", "/C", "7"}), qv::kExitFailed);
    EXPECT_EQ(refused.prompter.texts(),
              (Texts{"The port is not available, it could be in use by another program.\rPlease select another port.",
                     "Could not connect to COM7."}));
}

std::vector<uint8_t> RunCodeHex()
{
    const auto image = qv::sim::ioFirmwareImage({3, 5, 1, 14, "Batch RUN code 5.01"}, std::vector<uint8_t>(500, 0x3C));
    std::string text;
    for (const auto& record : qv::ihex::ImageRecords(image, qv::sim::kIoApplicationStart, 16))
        text += qv::ihex::FormatRecord(record) + "\r\n";
    return {text.begin(), text.end()};
}

std::vector<uint8_t> FpgaImage(uint32_t idcode)
{
    return qv::xsvf::Encode(qv::sim::fpgaConfigurationProgram(idcode, std::vector<uint8_t>(400, 0x6B), 256));
}

TEST(Batch, FirmwareJobs)
{
    TempFolder files;
    const std::string hex = files.write("fw.hex", RunCodeHex());
    const std::string board = files.write("board.xsvf", FpgaImage(qv::sim::kVp20Idcode));
    const std::string broken = files.write("broken.xsvf", {0x07, 0x00, 0x55});
    const std::string input = files.write("input.x0b", FpgaImage(qv::sim::kSlotFpgaIdcode));
    qv::sim::InstrumentOptions withModule = WithIo();
    withModule.ioModule.slotModules[2] = {0x0B};
    qv::sim::InstrumentOptions eraseFails = WithIo();
    eraseFails.ioModule.eraseFails = true;
    struct Case {
        std::vector<std::string> words;
        qv::sim::InstrumentOptions options;
        int status;
    } cases[] = {
        {{"/F", hex, "/C", "SIM"}, WithIo(), qv::kExitDone},
        {{"/F", "fpga"}, WithIo(), qv::kExitDone},
        {{"/F", board}, WithIo(), qv::kExitDone},
        {{"/F", input}, withModule, qv::kExitDone},
        // A warning is all the module's refusal shows; the job still failed.
        {{"/F", hex}, eraseFails, qv::kExitFailed},
        {{"/F", broken}, WithIo(), qv::kExitFailed},
        // No slot holds the module: the dialog can only be cancelled.
        {{"/F", input}, WithIo(), qv::kExitFailed},
        {{"/F", hex}, {}, qv::kExitFailed},
    };
    for (const auto& c : cases) {
        const std::string name = ::testing::PrintToString(c.words);
        Batch b(c.options);
        EXPECT_EQ(b.run(c.words), c.status) << name << "\n" << ::testing::PrintToString(b.prompter.texts());
        EXPECT_FALSE(b.port.isOpen()) << name;
    }

    Batch done(withModule);
    ASSERT_EQ(done.run({"/F", input}), qv::kExitDone);
    EXPECT_TRUE(done.wire.ioModule()->slotModule(3).fpga()->started());
    EXPECT_TRUE(done.prompter.texts().empty()) << "quiet: no success message";
}

TEST(Batch, ConfigurationFileJobs)
{
    TempFolder files;
    const std::string question = "The preset does not appear to be compatable with the software version in the "
                                 "RVT.\rIt is STRONGLY recommended to upgrade the preset. \r\rDo you wish to "
                                 "upgrade the preset.";
    const std::string complete = "Download complete.\rPress NEXT to continue.";
    const qv::ConfigImage current = FixtureConfiguration();
    // The upgrade's default answer is Yes: an older file goes in upgraded.
    qv::ConfigImage upgraded = FixtureConfiguration(0x0500);
    ASSERT_TRUE(upgraded.upgradeTo510());
    std::vector<uint8_t> damaged = PresetFileBytes(current);
    damaged[100] ^= 0xFF;
    const uint32_t stored = qv::PresetFileChecksum(std::span<const uint8_t, qv::kPresetFileSize>(
        PresetFileBytes(current).data(), qv::kPresetFileSize));
    const uint32_t computed =
        qv::PresetFileChecksum(std::span<const uint8_t, qv::kPresetFileSize>(damaged.data(), qv::kPresetFileSize));
    struct Case {
        const char* name;
        std::vector<uint8_t> file;
        int status;
        Texts messages;
        const qv::ConfigImage* sent;
    } cases[] = {
        {"current", PresetFileBytes(current), qv::kExitDone, {complete}, &current},
        {"older", PresetFileBytes(FixtureConfiguration(0x0500)), qv::kExitDone, {question, complete}, &upgraded},
        {"damaged",
         damaged,
         qv::kExitFailed,
         {qv::CrcErrorText(stored, computed), "This is not a valid configuration-file!"},
         nullptr},
        {"wrong size",
         std::vector<uint8_t>(16000, 0x55),
         qv::kExitFailed,
         {"This is not a valid configuration-file!"},
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Batch b;
        const std::vector<uint8_t> before = b.instrument.peek(0x1C000, 16384);
        EXPECT_EQ(b.run({"/F", files.write("preset.PRE", c.file), "/C", "SIM"}), c.status);
        EXPECT_EQ(b.prompter.texts(), c.messages);
        const std::vector<uint8_t> memory = b.instrument.peek(0x1C000, 16384);
        if (c.sent) {
            EXPECT_TRUE(std::equal(memory.begin(), memory.end(), c.sent->bytes().begin()));
        } else {
            EXPECT_EQ(memory, before);
        }
        EXPECT_FALSE(b.port.isOpen());
    }
}

// QV-Matrix hands its upload over as "/r $1c000 128", started in its
// temporary folder, and takes "memory.cod" from there.
TEST(Batch, UploadHandedOverByQvMatrix)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("qv-handover-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder);
    for (bool io : {true, false}) {
        Batch b(io ? WithIo() : qv::sim::InstrumentOptions{});
        b.instrument.poke(0x1C000, std::vector<uint8_t>(16384, 0x6B));
        EXPECT_EQ(b.run({"/r", "$1c000", "128"}, folder.string()), qv::kExitDone) << io << b.errText;
        std::ifstream in(folder / "memory.cod", std::ios::binary);
        const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        EXPECT_EQ(file, b.instrument.peek(0x1C000, 16384)) << io;
        EXPECT_FALSE(std::filesystem::exists(folder / "memory.cod.380")) << io;
        std::filesystem::remove(folder / "memory.cod");
    }
    std::filesystem::remove_all(folder);
}

TEST(Batch, HelpGoesToStandardOutput)
{
    Batch b;
    EXPECT_EQ(b.run({"/?"}), qv::kExitDone);
    EXPECT_TRUE(b.outText.starts_with("QV-Update Commandline Parameters.\n\nThe parameter [/C \"Port Number\"]"));
    EXPECT_EQ(b.outText.find('\r'), std::string::npos);
    EXPECT_FALSE(b.port.isOpen()) << "no connection for the help";
}

TEST(Batch, MessagesAsKindAndText)
{
    EXPECT_EQ(qv::BatchPrompter::Line(qv::MessageKind::Error, "First.\r\rSecond."), "Error: First.\n\nSecond.\n");
    EXPECT_EQ(qv::BatchPrompter::Line(qv::MessageKind::Warning, "Could not connect to COM1."),
              "Warning: Could not connect to COM1.\n");
    EXPECT_EQ(qv::BatchPrompter::Line(qv::MessageKind::Information, "A\r\nB"), "Information: A\nB\n");

    std::FILE* out = std::tmpfile();
    qv::BatchPrompter prompter(out);
    EXPECT_EQ(prompter.message(qv::MessageKind::Confirmation, "Proceed?", qv::ButtonYesNo, qv::Answer::No),
              qv::Answer::No)
        << "a question takes its default button";
    EXPECT_EQ(ReadBack(out), "Confirmation: Proceed?\n");
}

} // namespace
