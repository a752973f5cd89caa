// I/O firmware, JTAG and expansion-module programming against the simulated
// I/O module on virtual time.
#include "firmware_fixture.h"
#include "io_fixture.h"
#include "wizard_fixture.h"

#include "data/embedded_data.h"
#include "platform/host/recording_progress.h"
#include "updater/firmware_codec.h"
#include "updater/firmware_programmer.h"
#include "updater/headless_wizard_view.h"

#include <gtest/gtest.h>

namespace {

using qv::sim::IoModuleOptions;
using Texts = std::vector<std::string>;

// The module detected in command mode, as the dispatcher finds it.
struct FirmwareBench : IoBench {
    explicit FirmwareBench(IoModuleOptions options = {}) : IoBench(std::move(options))
    {
        EXPECT_EQ(io.DetectIoInterface(true), qv::IOSTAT_OK);
    }
    qv::FirmwareDisplay display() { return {&status, {&bar, &overall}}; }
    Texts shown() const { return sim.prompter.texts(); }
    const qv::sim::SlotModule& slot(int n) { return module().slotModule(n); }

    qv::ListenedPanel status;
    qv::RecordingProgress bar;
    qv::RecordingProgress overall;
    qv::FirmwareProgrammer firmware{io};
};

IoModuleOptions Options(void (*change)(IoModuleOptions&))
{
    IoModuleOptions options;
    change(options);
    return options;
}

TEST(IoFirmware, HexFileBecomesTheModulesRunCode)
{
    TempFolder folder;
    const std::string text = RunCodeHex("Test RUN code 4.20", 4, 20);
    const std::string file = folder.write("fw.hex", Bytes(text));
    FirmwareBench b;
    EXPECT_EQ(b.firmware.InstallIoFirmware(file, b.display()), qv::IOFW_LOAD_OK);
    EXPECT_TRUE(b.shown().empty());

    EXPECT_EQ(b.module().options().versionText, "Test RUN code 4.20") << "the flash holds the code";
    EXPECT_EQ(b.module().options().runMajor, 4);
    EXPECT_EQ(b.module().options().runMinor, 20);
    EXPECT_EQ(b.io.versionText, "Test RUN code 4.20") << "reconnected to the new code";
    EXPECT_EQ(b.io.status.systemMode, qv::at::kSystemModeRun);
    EXPECT_EQ(b.module().restarts(), 2) << "into the boot loader and back";
    EXPECT_EQ(b.status.texts,
              (Texts{"Executing I/O Bootloader...", "Erasing I/O flash...", "Flash Erased...",
                     "Enabling Download Mode...", "Downloading I/O Firmware...", "I/O Firmware Update Complete.",
                     "Please wait while the I/O Module restarts.", "Reconnecting to I/O Module.", "Done."}));
    // Lines go out without their line ends, one step each.
    const auto lines = qv::ReadHexFileLines(file);
    size_t bytes = 0;
    for (const auto& line : lines)
        bytes += line.size();
    EXPECT_EQ(b.overall.position(), int64_t(bytes));
    EXPECT_EQ(b.bar.position(), 0);
}

TEST(IoFirmware, ModuleErrorsStopTheDownload)
{
    // Record 3 of the file, with its checksum broken.
    std::string broken = RunCodeHex("Broken", 1, 0, 6000);
    const size_t third = broken.find(':', broken.find(':', broken.find(':') + 1) + 1);
    broken[third + 9] = broken[third + 9] == '0' ? '1' : '0';
    const std::string good = RunCodeHex("Good", 1, 0, 6000);

    struct Case {
        const char* what;
        int fault;
        const std::string& text;
        int result;
        const char* line;
    } cases[] = {
        {"a record the loader cannot decode", 0, broken, 261, "E500 HEX record error"},
        {"flash erase error", 501, good, 262, "E501 Flash not erased"},
        {"CRC error", 502, good, 263, "E502 CRC error"},
        {"address error", 503, good, 264, "E503 Address error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IoModuleOptions options;
        options.hexFault = c.fault;
        options.hexFaultRecord = 3;
        FirmwareBench b(options);
        TempFolder folder;
        const uint64_t before = b.sim.wire.bytesToInstrument();
        EXPECT_EQ(b.firmware.InstallIoFirmware(folder.write("fw.hex", Bytes(c.text)), b.display()), c.result);
        EXPECT_EQ(b.shown(), Texts{qv::fw::HexReplyText(c.result) + c.line});
        // Sending stops at the complaint, a few lines after the bad one.
        EXPECT_LT(b.sim.wire.bytesToInstrument() - before, c.text.size() / 4);
        EXPECT_EQ(b.module().count("@ATRUN"), 0) << "no restart into a broken RUN code";
    }
}

TEST(IoFirmware, NothingIsSentWithoutLinesOrErasedFlash)
{
    TempFolder folder;
    for (const std::string& file :
         {folder.write("empty.hex", {}), folder.write("blank.hex", Bytes("\r\n  \r\n\n")), folder.path("gone.hex")}) {
        SCOPED_TRACE(file);
        FirmwareBench b;
        EXPECT_EQ(b.firmware.InstallIoFirmware(file, b.display()), qv::IOFW_LOAD_FILE_NOT_FOUND);
        EXPECT_EQ(b.module().count("@ATRUNBL"), 0);
        EXPECT_EQ(b.module().count("@ATErase"), 0);
    }

    FirmwareBench erase(Options([](IoModuleOptions& o) { o.eraseFails = true; }));
    EXPECT_EQ(erase.firmware.InstallIoFirmware("MCU/FPGA", erase.display()), qv::IOFW_FLASH_ERASE_ERROR)
        << "reported, not taken for success";
    EXPECT_EQ(erase.module().count("@ATPrg"), 0);
}

TEST(IoFirmware, LostPortEndsTheDownloadAtOnce)
{
    FirmwareBench b;
    b.sim.pump.add([&] {
        if (b.module().bootLoader().downloading() && b.module().bootLoader().records() >= 5)
            b.sim.port.setUnplugged(true);
    });
    const int64_t start = b.sim.clock.nowMs();
    EXPECT_EQ(b.firmware.InstallIoFirmware("MCU/FPGA", b.display()), qv::IOFW_LOAD_UNKNOWN);
    EXPECT_LT(b.module().bootLoader().records(), 20);
    EXPECT_LT(b.elapsedMs(start), 20'000) << "no 63 KB of writes to a port that is gone";
}

TEST(IoFirmware, LoaderSecondStageFollowsAnOldRegister)
{
    struct Case {
        int fixedRegister; // -1: what the first stage reports (11)
        const char* version;
        int downloads;
    } cases[] = {
        {-1, "QV-Sim I/O FPGA loader stage 2 v3.14", 2},
        {12, "QV-Sim I/O FPGA loader stage 1 v3.11", 1},
        {240, "QV-Sim I/O FPGA loader stage 2 v3.14", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixedRegister);
        IoModuleOptions options;
        options.fixedLoaderRegister = c.fixedRegister;
        FirmwareBench b(options);
        EXPECT_EQ(b.firmware.InstallIoFirmware("mcu/fpga", b.display()), qv::IOFW_LOAD_OK);
        EXPECT_EQ(b.module().options().versionText, c.version);
        EXPECT_EQ(b.module().count("@ATPrg"), c.downloads);
        EXPECT_EQ(b.module().count("@ATRDREG"), 1);
        EXPECT_EQ(b.io.status.runId, 3) << "the FPGA loader runs";
        EXPECT_TRUE(b.shown().empty());
    }
}

TEST(Jtag, FpgaTypeFromTheTwoProbes)
{
    struct Case {
        const char* what;
        uint32_t idcode;
        uint8_t interface;
        uint8_t runId;
        int type;
    } cases[] = {
        {"VP20", qv::sim::kVp20Idcode, 2, 3, 1},
        {"VP30", qv::sim::kVp30Idcode, 2, 3, 2},
        {"VP30 over USB", qv::sim::kVp30Idcode, 4, 3, 2},
        {"revision bits do not count", 0xF127E093, 2, 3, 2},
        {"another FPGA", 0x0A001093, 2, 3, 0},
        {"no FPGA loader", qv::sim::kVp20Idcode, 2, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IoModuleOptions options;
        options.fpgaIdcode = c.idcode;
        options.interface = c.interface;
        options.runId = c.runId;
        FirmwareBench b(options);
        EXPECT_EQ(b.firmware.GetFpgaType(), c.type);
        const int fastLink = c.interface == 2 ? 1 : 0;
        EXPECT_EQ(b.module().count("@ATHS"), fastLink);
        EXPECT_EQ(b.module().count("@ATLS"), fastLink);
        EXPECT_EQ(b.sim.port.baudRate(), 9600);
        EXPECT_EQ(b.sim.wire.baudRate(), 9600) << "the module is back at the low speed";
    }
}

TEST(Jtag, ImagesPlayedToTheirStatus)
{
    const auto bitstream = Bitstream(3000);
    const auto vp20 = FpgaImage(qv::sim::kVp20Idcode, bitstream);
    struct Case {
        const char* what;
        void (*options)(IoModuleOptions&);
        const std::vector<uint8_t>& image;
        int result;
    } cases[] = {
        {"configures the FPGA", [](IoModuleOptions&) {}, vp20, qv::XSVF_SUCCESS},
        {"a damaged block is sent again", [](IoModuleOptions& o) { o.jtagDamagedBlock = 2; }, vp20,
         qv::XSVF_SUCCESS},
        {"another FPGA", [](IoModuleOptions& o) { o.fpgaIdcode = qv::sim::kVp30Idcode; }, vp20,
         qv::XSVF_ERROR_TDOMISMATCH},
        {"a shift longer than the player holds", [](IoModuleOptions& o) { o.jtagMaxVectorBytes = 16; }, vp20,
         qv::XSVF_ERROR_DATAOVERFLOW},
        {"not the FPGA loader", [](IoModuleOptions& o) { o.runId = 1; }, vp20, qv::XSVF_NOT_SUPPORTED},
        {"not in RUN mode", [](IoModuleOptions& o) { o.systemMode = 1; }, vp20, qv::XSVF_NOT_RUNMODE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FirmwareBench b(Options(c.options));
        EXPECT_EQ(b.firmware.ProgramJtag(c.image, "FPGA Programming in Progress...", b.display()), c.result);
        const bool played = c.result < qv::XSVF_NOT_SUPPORTED;
        EXPECT_EQ(b.module().count("@ATJTAG"), played ? 1 : 0);
        EXPECT_FALSE(b.module().playingJtag());
        if (!played)
            continue;
        EXPECT_EQ(b.firmware.lastReply(), c.result);
        EXPECT_EQ(b.bar.maximum(), int64_t(c.image.size() + 1023) / 1024 + 1);
        EXPECT_EQ(b.bar.text(), "100 %");
        ASSERT_FALSE(b.status.texts.empty());
        EXPECT_EQ(b.status.texts[0], "Erasing FPGA Flash - Please wait...") << "the first block";
        if (c.result == qv::XSVF_SUCCESS) {
            EXPECT_EQ(b.status.texts, (Texts{"Erasing FPGA Flash - Please wait...", "FPGA Programming in Progress..."}));
            EXPECT_EQ(b.module().jtagChain().configuration(), bitstream);
            EXPECT_TRUE(b.module().jtagChain().started());
            EXPECT_EQ(b.bar.position(), b.bar.maximum());
            EXPECT_EQ(b.overall.position(), (b.bar.maximum() - 1) * 1024);
        }
    }
}

TEST(Jtag, TransferEndsOnCancelAndOnALostPort)
{
    const auto image = FpgaImage(qv::sim::kVp20Idcode, Bitstream(6000));
    {
        FirmwareBench b;
        // The user's Cancel once the second block is on its way.
        b.status.onText = [&](const std::string& text) {
            if (text == "programming")
                b.channel.Abort();
        };
        EXPECT_EQ(b.firmware.ProgramJtag(image, "programming", b.display()), qv::kTransferCanceled);
        EXPECT_FALSE(b.module().jtagChain().started());
        b.channel.ResetAbort();
        EXPECT_TRUE(b.io.SetLinkSpeed(false)) << "the module listens again";
    }
    {
        FirmwareBench b;
        b.status.onText = [&](const std::string& text) {
            if (text == "programming")
                b.sim.port.setUnplugged(true);
        };
        const int64_t start = b.sim.clock.nowMs();
        EXPECT_EQ(b.firmware.ProgramJtag(image, "programming", b.display()), qv::kTransferStopped);
        EXPECT_LT(b.elapsedMs(start), 5'000);
    }
}

IoModuleOptions WithSlotModule(qv::sim::SlotModuleOptions slot)
{
    IoModuleOptions options;
    options.slotModules[1] = slot;
    return options;
}

TEST(SlotFpga, ResultsOfEachKindOfSlot)
{
    const auto bitstream = Bitstream(500);
    const auto image = FpgaImage(qv::sim::kSlotFpgaIdcode, bitstream);
    const auto otherImage = FpgaImage(qv::sim::kVp20Idcode, bitstream);
    qv::sim::SlotModuleOptions swapped{0xB0};
    swapped.swappedId = 0xC0;
    qv::sim::SlotModuleOptions unroutable{0xB0};
    unroutable.routable = false;
    struct Case {
        const char* what;
        IoModuleOptions options;
        const std::vector<uint8_t>& image;
        int result;
        int transfers;
    } cases[] = {
        {"takes the image", WithSlotModule({0xB0}), image, qv::XSVF_SUCCESS, 1},
        {"an image for another FPGA, four times", WithSlotModule({0xB0}), otherImage, qv::XSVF_ERROR_TDOMISMATCH, 4},
        {"a module exchanged since the scan", WithSlotModule(swapped), image, qv::kSlotModuleMismatch, 0},
        {"a slot the SPI UART cannot reach", WithSlotModule(unroutable), image, qv::kSpiDestinationRefused, 0},
        {"no FPGA loader", [] {
             IoModuleOptions o = WithSlotModule({0xB0});
             o.runId = 1;
             return o;
         }(),
         image, qv::XSVF_NOT_SUPPORTED, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FirmwareBench b(c.options);
        b.io.ReadModuleIds();
        EXPECT_EQ(b.firmware.ProgramSlotFpga(2, 0xB0, "Programming", c.image, b.display()), c.result);
        EXPECT_EQ(b.slot(2).transfers(), c.transfers);
        // Every attempt ends with the SPI UART on the DSP and the slow module link.
        EXPECT_EQ(b.module().spiDestination(), 8);
        EXPECT_FALSE(b.module().moduleLinkHigh());
        if (c.result == qv::XSVF_SUCCESS) {
            EXPECT_EQ(b.slot(2).fpga()->configuration(), bitstream);
            EXPECT_EQ(b.bar.text(), "100 %");
            EXPECT_EQ(b.status.text(), "Please wait...");
        }
        if (c.transfers > 1) {
            EXPECT_EQ(b.overall.position(), int64_t(b.slot(2).blocks() / c.transfers) * 50)
                << "failed attempts are taken back from the overall bar";
        }
    }

    FirmwareBench b(WithSlotModule(swapped));
    b.io.ReadModuleIds();
    b.firmware.ProgramSlotFpga(2, 0xB0, "Programming", image, b.display());
    EXPECT_EQ(b.firmware.lastReply(), 0xC0) << "the module the slot now holds";
}

// A module that asks for blocks after the image has run out is fed a few
// blocks of padding, then told off, instead of for ever.
TEST(SlotFpga, AModuleThatKeepsAskingAfterTheImageIsStopped)
{
    const auto board = FpgaImage(qv::sim::kVp20Idcode, Bitstream(3000));
    {
        FirmwareBench b(Options([](IoModuleOptions& o) { o.jtagNeverEnds = true; }));
        EXPECT_EQ(b.firmware.ProgramJtag(board, "programming", b.display()), qv::kTransferOverrun);
        const int imageBlocks = int((board.size() + 1022) / 1023);
        EXPECT_EQ(b.module().jtagBlocks(), imageBlocks + qv::FirmwareProgrammer::kPaddingBlocks);
    }
    qv::sim::SlotModuleOptions endless{0xB0};
    endless.neverEnds = true;
    const auto module = FpgaImage(qv::sim::kSlotFpgaIdcode, Bitstream(500));
    FirmwareBench b(WithSlotModule(endless));
    EXPECT_EQ(b.firmware.ProgramSlotFpga(2, 0xB0, "Programming", module, b.display()), qv::kTransferOverrun);
    EXPECT_EQ(b.slot(2).transfers(), 1) << "not tried again";
    EXPECT_EQ(b.slot(2).blocks(), int((module.size() + 49) / 50) + qv::FirmwareProgrammer::kPaddingBlocks);
    EXPECT_EQ(b.module().spiDestination(), 8);
}

TEST(SlotFpga, ModuleThatStopsAnsweringOrACancel)
{
    const auto image = FpgaImage(qv::sim::kSlotFpgaIdcode, Bitstream(2000));
    qv::sim::SlotModuleOptions silent{0xB0};
    silent.silentAfterBlocks = 6;
    {
        FirmwareBench b(WithSlotModule(silent));
        const int64_t start = b.sim.clock.nowMs();
        EXPECT_EQ(b.firmware.ProgramSlotFpga(2, 0xB0, "Programming", image, b.display()), qv::kTransferStopped);
        const int64_t bound = int64_t(qv::FirmwareProgrammer::kTransferReplyPolls) * 10;
        EXPECT_GE(b.elapsedMs(start), bound);
        EXPECT_LT(b.elapsedMs(start), bound + 15'000) << "one attempt, not four";
        EXPECT_EQ(b.slot(2).transfers(), 1);
        EXPECT_EQ(b.module().spiDestination(), 8);
    }
    {
        FirmwareBench b(WithSlotModule({0xB0}));
        b.status.onText = [&](const std::string& text) {
            if (text == "Programming")
                b.channel.Abort();
        };
        EXPECT_EQ(b.firmware.ProgramSlotFpga(2, 0xB0, "Programming", image, b.display()), qv::kTransferCanceled);
        EXPECT_EQ(b.slot(2).transfers(), 1);
        EXPECT_FALSE(b.slot(2).fpga()->started());
        EXPECT_EQ(b.module().spiDestination(), 8) << "put back in order after the Cancel";
        EXPECT_FALSE(b.module().moduleLinkHigh());
    }
}

} // namespace
