// The dispatcher's firmware jobs through the wizard: HEX files and the FPGA
// loader, XSVF images for the mainboard FPGA and images for the expansion
// modules, against the simulated instrument on virtual time.
#include "firmware_fixture.h"
#include "wizard_fixture.h"

#include "updater/firmware_codec.h"
#include "updater/firmware_results.h"

namespace {

using qv::UpdateControl;
using Texts = std::vector<std::string>;

const std::string kRepower =
    "Please disconnect the instrument from the computer, then repower the instrument and try again.";

qv::sim::InstrumentOptions WithModules(void (*change)(qv::sim::IoModuleOptions&) = nullptr)
{
    qv::sim::InstrumentOptions options = WithIo();
    options.ioModule.slotModules[1] = {0xB0};
    options.ioModule.slotModules[3] = {0xC0};
    options.ioModule.slotModules[4] = {0xB0};
    if (change)
        change(options.ioModule);
    return options;
}

// Connected, on the file page, confirmations answered Yes.
struct FirmwareWizard : WizardBench {
    explicit FirmwareWizard(qv::sim::InstrumentOptions options = WithIo()) : WizardBench(options)
    {
        connectAndSelect();
    }
    bool runConfirmed(const std::string& text)
    {
        sim.prompter.queueAnswer(qv::Answer::Yes);
        const bool done = execute(text);
        // The confirmation is the first text shown.
        auto shown = texts();
        if (!shown.empty())
            shown.erase(shown.begin());
        messages = shown;
        return done;
    }
    qv::ListenedPanel& infoPanel() { return view.panels[qv::WizardText::Info]; }

    TempFolder folder;
    Texts messages;
};

TEST(WizardFirmware, HexFilesAndTheirMessages)
{
    struct Case {
        const char* what;
        std::string content;
        void (*options)(qv::sim::IoModuleOptions&);
        bool done;
        Texts messages;
    } cases[] = {
        {"installed", RunCodeHex("Test RUN code 4.20", 4, 20), [](qv::sim::IoModuleOptions&) {}, true,
         {"The I/O Firmware was updated correctly."}},
        {"the module's CRC error", RunCodeHex("Test", 4, 20), [](qv::sim::IoModuleOptions& o) { o.hexFault = 502; },
         false, {qv::fw::HexReplyText(263) + "E502 CRC error"}},
        {"erase error", RunCodeHex("Test", 4, 20), [](qv::sim::IoModuleOptions& o) { o.eraseFails = true; }, false,
         {"An error occoured while erasing the flash memory for the I/O firmware.\r\r" + kRepower +
          "\r\rIOFW_FLASH_ERASE_ERROR"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        qv::sim::InstrumentOptions options = WithIo();
        c.options(options.ioModule);
        FirmwareWizard b(options);
        const std::string file = b.folder.write("fw.HEX", Bytes(c.content));
        EXPECT_EQ(b.runConfirmed(file), c.done);
        EXPECT_EQ(b.messages, c.messages);
        EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextFinished);
        EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));
        EXPECT_FALSE(b.view.bannerBusy);
    }

    FirmwareWizard empty;
    const std::string file = empty.folder.write("empty.hex", {});
    EXPECT_FALSE(empty.runConfirmed(file));
    EXPECT_EQ(empty.messages, Texts{"The file \"" + file + "\" was not found.\r\rIOFW_LOAD_FILE_NOT_FOUND"});
    EXPECT_EQ(empty.module().count("@ATErase"), 0) << "nothing sent";
}

TEST(WizardFirmware, FpgaLoaderByCommand)
{
    FirmwareWizard b;
    EXPECT_TRUE(b.runConfirmed("Mcu/Fpga"));
    EXPECT_EQ(b.messages, Texts{"The I/O Firmware was updated correctly."});
    EXPECT_EQ(b.module().options().versionText, "QV-Sim I/O FPGA loader stage 2 v3.14");
    EXPECT_EQ(b.info(), "Done.");
}

TEST(WizardFirmware, XsvfImageForTheMainboardFpga)
{
    const auto bitstream = Bitstream(2500);
    struct Case {
        const char* what;
        uint32_t idcode;
        bool loaderDisabled;
        bool done;
        Texts messages;
        int downloads; // of the FPGA loader's stages
    } cases[] = {
        {"configured", qv::sim::kVp20Idcode, false, true, {"The FPGA code was updated correctly."}, 2},
        {"without the loader", qv::sim::kVp20Idcode, true, true, {"The FPGA code was updated correctly."}, 0},
        {"another FPGA", qv::sim::kVp30Idcode, false, false,
         {"An error was encountered while updating the FPGA.\r\rXSVF_ERROR_TDOMISMATCH"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        qv::sim::InstrumentOptions options = WithIo();
        options.ioModule.fpgaIdcode = c.idcode;
        FirmwareWizard b(options);
        b.wizard.fpgaLoaderDisabled = c.loaderDisabled;
        const std::string file = b.folder.write("board.xsvf", FpgaImage(qv::sim::kVp20Idcode, bitstream));
        EXPECT_EQ(b.runConfirmed(file), c.done);
        EXPECT_EQ(b.messages, c.messages);
        EXPECT_EQ(b.module().count("@ATPrg"), c.downloads);
        EXPECT_EQ(b.module().jtagChain().started(), c.done);
        if (c.done) {
            EXPECT_EQ(b.module().jtagChain().configuration(), bitstream);
        }
        // The job leaves the link at its low speed.
        EXPECT_EQ(b.module().count("@ATHS"), 1);
        EXPECT_EQ(b.sim.port.baudRate(), 9600);
        EXPECT_EQ(b.sim.wire.baudRate(), 9600);
        EXPECT_EQ(b.info(), "Done.");
        EXPECT_FALSE(b.view.isEnabled(UpdateControl::Exit)) << "Cancel only while the image is sent";
    }
}

TEST(WizardFirmware, FailedLoaderStopsTheJobBeforeTheImage)
{
    qv::sim::InstrumentOptions options = WithIo();
    options.ioModule.eraseFails = true;
    FirmwareWizard b(options);
    const std::string file = b.folder.write("board.xsvf", FpgaImage(qv::sim::kVp20Idcode, Bitstream(100)));
    EXPECT_FALSE(b.runConfirmed(file));
    EXPECT_EQ(b.messages, Texts{"An error was encountered while updating the I/O Firmware.\r\rUnknown Result: "
                                "0x45\r\rPlease disconnect the USB cable and repower the instrument."})
        << "0x45: the 'E' of the module's E501 line";
    EXPECT_EQ(b.module().count("@ATJTAG"), 0);
}

TEST(WizardFirmware, BadXsvfFilesAreRefusedBeforeAnythingIsSent)
{
    const auto image = FpgaImage(qv::sim::kVp20Idcode, Bitstream(100));
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        std::string problem;
    } cases[] = {
        {"unknown.xsvf", {0x07, 0x00, 0x55, 0x00}, "unknown instruction 0x55 at byte 2"},
        {"short.xsvf", std::vector<uint8_t>(image.begin(), image.end() - 40), "runs 17 bytes past the end"},
        {"empty.xsvf", {}, "truncated: the stream ends at byte 0 without XCOMPLETE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FirmwareWizard b;
        const std::string file = b.folder.write(c.name, c.bytes);
        const uint64_t sent = b.sim.wire.bytesToInstrument();
        EXPECT_FALSE(b.runConfirmed(file));
        ASSERT_EQ(b.messages.size(), 1u);
        EXPECT_TRUE(b.messages[0].starts_with("The file \"" + file + "\" is no valid XSVF image: ")) << b.messages[0];
        EXPECT_NE(b.messages[0].find(c.problem), std::string::npos) << b.messages[0];
        EXPECT_TRUE(b.messages[0].ends_with(".\r\rNothing was sent to the instrument."));
        EXPECT_EQ(b.sim.wire.bytesToInstrument(), sent);
    }

    FirmwareWizard gone;
    const std::string missing = gone.folder.path("gone.xsvf");
    EXPECT_FALSE(gone.runConfirmed(missing));
    EXPECT_EQ(gone.messages, Texts{"The file \"" + missing +
                                   "\" was not found.\rPlease specify another filename.\r\rXSVF_FILE_NOT_FOUND"});
}

TEST(WizardFirmware, CancelWhileTheImageIsSent)
{
    FirmwareWizard b;
    b.wizard.fpgaLoaderDisabled = true;
    bool cancelWasOffered = false;
    b.infoPanel().onText = [&](const std::string& text) {
        if (text != "FPGA Programming in Progress...")
            return;
        cancelWasOffered = b.view.isEnabled(UpdateControl::Exit);
        b.wizard.btnExitClick();
    };
    const std::string file = b.folder.write("board.xsvf", FpgaImage(qv::sim::kVp20Idcode, Bitstream(9000)));
    EXPECT_FALSE(b.runConfirmed(file));
    EXPECT_TRUE(cancelWasOffered);
    EXPECT_EQ(b.messages, Texts{"The FPGA update was canceled by user."});
    EXPECT_FALSE(b.module().jtagChain().started());
    EXPECT_EQ(b.sim.port.baudRate(), 9600) << "the link went back to its low speed all the same";
    EXPECT_EQ(b.sim.wire.baudRate(), 9600);
    EXPECT_EQ(b.wizard.page(), "START");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextToFileSelection);
}

TEST(WizardFirmware, ModuleImageForTheSlotsThatHoldTheModule)
{
    FirmwareWizard b(WithModules());
    const auto bitstream = Bitstream(600);
    const std::string file = b.folder.write("input.xB0", FpgaImage(qv::sim::kSlotFpgaIdcode, bitstream));
    Texts lines;
    std::vector<bool> offered;
    b.view.onSelectModules = [&](qv::ModuleSelection& selection) {
        for (int i = 0; i < qv::ModuleSelection::kSlots; ++i) {
            lines.push_back(selection.line(i));
            offered.push_back(selection.checked(i));
        }
        return true;
    };
    const int restarts = b.sim.instrument.restartCount();
    EXPECT_TRUE(b.runConfirmed(file));
    EXPECT_EQ(b.messages, Texts{"The FPGA code was updated correctly."});
    EXPECT_EQ(lines[1], "Slot #2 - 8 Channel Analogue Input Module, 8-ANA (B0).");
    EXPECT_EQ(lines[3], "Slot #4 - 8 Channel Analogue Output Module, 8-ANA (C0).");
    EXPECT_EQ(offered, (std::vector<bool>{false, true, false, false, true, false, false}));
    for (int slot : {2, 5})
        EXPECT_EQ(b.module().slotModule(slot).fpga()->configuration(), bitstream) << slot;
    EXPECT_EQ(b.module().slotModule(4).transfers(), 0);
    EXPECT_EQ(b.module().spiDestination(), 8);
    EXPECT_EQ(b.sim.wire.baudRate(), 9600);
    EXPECT_GT(b.sim.instrument.restartCount(), restarts) << "out of download mode";

    FirmwareWizard one(WithModules());
    one.view.onSelectModules = [](qv::ModuleSelection& selection) {
        selection.setChecked(4, false);
        return true;
    };
    EXPECT_TRUE(one.runConfirmed(one.folder.write("input.xB0", FpgaImage(qv::sim::kSlotFpgaIdcode, bitstream))));
    EXPECT_EQ(one.module().slotModule(2).transfers(), 1);
    EXPECT_EQ(one.module().slotModule(5).transfers(), 0) << "unchecked by the user";
}

TEST(WizardFirmware, ModuleJobsThatDoNotUpdate)
{
    const auto image = FpgaImage(qv::sim::kSlotFpgaIdcode, Bitstream(300));
    struct Case {
        const char* what;
        qv::sim::InstrumentOptions options;
        const char* file;
        bool answer; // OK in the dialog
        Texts messages;
    } cases[] = {
        {"no such module", WithModules(), "decoder.xDD", true,
         {"No Dolby-E Decoder Module (DD) detected.", "The FPGA update was canceled by user."}},
        {"cancelled in the dialog", WithModules(), "input.xB0", false, {"The FPGA update was canceled by user."}},
        // The first slot fails; the success of the second does not hide it.
        {"module exchanged since the scan",
         WithModules([](qv::sim::IoModuleOptions& o) {
             // After the scans of the connection and of the job.
             o.slotModules[1].swappedId = 0xC1;
             o.slotModules[1].queriesBeforeSwap = 2;
         }),
         "input.xB0", true,
         {"An error was encountered while updating the FPGA in slot #2.\r\rUnknown Result: 0xC1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FirmwareWizard b(c.options);
        b.view.onSelectModules = [&](qv::ModuleSelection& selection) { return c.answer && selection.okEnabled(); };
        EXPECT_FALSE(b.runConfirmed(b.folder.write(c.file, image)));
        EXPECT_EQ(b.messages, c.messages);
        EXPECT_EQ(b.view.moduleSelections, 1);
        EXPECT_EQ(b.module().spiDestination(), 8);
    }
}

} // namespace
