// The wizard's mainboard flash: the read page, the flash read in both ways
// and DSP files through the fast write, against the simulated instrument
// on virtual time.
#include "wizard_fixture.h"

#include "updater/flash_transfer.h"

#include <filesystem>

namespace {

using qv::UpdateControl;
using qv::WizardBar;
using qv::WizardControl;
using qv::WizardText;
using Texts = std::vector<std::string>;


qv::sim::InstrumentOptions Io(void (*change)(qv::sim::IoModuleOptions&))
{
    qv::sim::InstrumentOptions options = WithIo();
    change(options.ioModule);
    return options;
}

// Connected, on the read page, its fields filled.
struct ReadBench : WizardBench {
    explicit ReadBench(qv::sim::InstrumentOptions options = WithIo()) : WizardBench(options)
    {
        sim.instrument.poke(qv::kImageBaseAddress, Pattern(128 * 128));
        connectAndSelect();
        wizard.SetInput("RVT/R");
    }
    void fields(const std::string& file, const std::string& address, const std::string& count)
    {
        view.panel(WizardText::FlashFile).setText(file);
        view.panel(WizardText::FlashAddress).setText(address);
        view.panel(WizardText::FlashSectors).setText(count);
    }
    // Next on the read page.
    void next()
    {
        view.setTag(UpdateControl::Next, qv::kNextExecute);
        wizard.btnNextClick();
        settle();
    }
    std::string text(WizardText which) const { return view.text(which); }
    // The instrument runs its software again at the normal link speed.
    void expectBackToNormal(const std::string& name)
    {
        EXPECT_FALSE(sim.instrument.options().biosMode) << name;
        EXPECT_FALSE(sim.instrument.inDownloadMode()) << name;
        EXPECT_EQ(sim.wire.baudRate(), 9600) << name;
        if (sim.wire.ioModule()) {
            EXPECT_FALSE(module().commandMode()) << name;
        }
    }
};

TEST(FlashReadPage, PreparedForTheConnection)
{
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        bool noSpi;
        bool fast;
    } cases[] = {
        {"I/O-interface with its flash", WithIo(), false, true},
        {"flash identity not read (/NOSPI)", WithIo(), true, false},
        {"no I/O-interface", {}, false, false},
    };
    for (const auto& c : cases) {
        WizardBench b(c.options);
        b.io.spiDisabled = c.noSpi;
        b.connectAndSelect();
        b.wizard.SetInput("RVT/R");
        EXPECT_EQ(b.wizard.page(), "RVT/R") << c.name;
        EXPECT_EQ(b.view.isEnabled(WizardControl::FastMode), c.fast) << c.name;
        EXPECT_EQ(b.view.checked(WizardControl::FastMode), c.fast) << c.name;
        EXPECT_TRUE(b.view.isEnabled(WizardControl::FlashRead)) << c.name;
        EXPECT_EQ(b.view.text(WizardText::FlashSectors), "1024") << c.name << ": the flash of an RVT120S";
        EXPECT_EQ(b.view.text(WizardText::FlashAddress), "0") << c.name;
        EXPECT_EQ(b.view.text(WizardText::FlashStatus), "Press NEXT to start the update.") << c.name;
        EXPECT_EQ(b.view.text(WizardText::FlashPercent), "") << c.name;
        EXPECT_EQ(b.view.bars[WizardBar::Flash].position(), 0) << c.name;
        EXPECT_EQ(b.view.captions[UpdateControl::Exit], "Cancel") << c.name;
        EXPECT_EQ(b.view.tag(UpdateControl::Exit), qv::kExitCancel) << c.name;
        EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next)) << c.name;
    }
}

TEST(FlashReadPage, BadFieldsKeepThePage)
{
    TempFolder folder;
    const std::string out = folder.path("out");
    struct Case {
        std::string address, count;
        std::string error;
        std::string file;
    } cases[] = {
        {"$20000", "128", "Illegal Flash Address.\rThe Flash Address must be between 0 and 131071.", out},
        {"$1C000", "0", "Illegal Sector Count.\rThe sector count must be between 1 and 128.", out + ".380"},
        {"$1C000", "-1", "Illegal Sector Count.\rThe sector count must be between 1 and 128.", out + ".380"},
        {"$1C000", "129", "Illegal Sector Count.\rThe sector count must be between 1 and 128.", out + ".380"},
    };
    for (const auto& c : cases) {
        ReadBench b;
        const int restarts = b.sim.instrument.restartCount();
        b.fields(out, c.address, c.count);
        b.next();
        EXPECT_EQ(b.texts(), Texts{c.error}) << c.address << " " << c.count << ": no question before the check";
        EXPECT_EQ(b.text(WizardText::FlashFile), c.file) << c.address;
        EXPECT_EQ(b.wizard.page(), "RVT/R") << c.address;
        EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextExecute) << c.address << ": Next tries again";
        EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next)) << c.address;
        EXPECT_EQ(b.sim.instrument.restartCount(), restarts) << c.address;
        EXPECT_EQ(b.module().count("@ATKDD"), 0) << c.address;
    }
}

TEST(FlashReadPage, AFileThatExists)
{
    TempFolder folder;
    const std::string file = folder.write("old.380", {1, 2, 3});
    const std::string question =
        "The File \"" + file + "\" already exists.\rDo you wish to replace the file?";

    ReadBench keep;
    keep.fields(file, "$1C000", "4");
    keep.sim.prompter.queueAnswer(qv::Answer::No);
    keep.next();
    EXPECT_EQ(keep.texts(), Texts{question});
    EXPECT_EQ(ReadFile(file), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(keep.view.tag(UpdateControl::Next), qv::kNextExecute);
    EXPECT_EQ(keep.wizard.page(), "RVT/R");

    ReadBench replace;
    replace.fields(file, "$1C000", "4");
    replace.wizard.quiet = true;
    replace.sim.prompter.queueAnswer(qv::Answer::Yes);
    replace.next();
    EXPECT_EQ(replace.texts(), Texts{question}) << "asked even when quiet";
    EXPECT_EQ(ReadFile(file), replace.sim.instrument.peek(qv::kImageBaseAddress, 4 * 128));

    // A folder of that name is not deleted.
    std::filesystem::create_directory(folder.path("dir.380"));
    ReadBench folderInTheWay;
    folderInTheWay.fields(folder.path("dir.380"), "$1C000", "4");
    folderInTheWay.sim.prompter.queueAnswer(qv::Answer::Yes);
    folderInTheWay.next();
    EXPECT_EQ(folderInTheWay.texts(),
              (Texts{"The File \"" + folder.path("dir.380") + "\" already exists.\rDo you wish to replace the file?",
                     "Could not delete the file \"" + folder.path("dir.380") + "\"."}));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path("dir.380")));
    EXPECT_EQ(folderInTheWay.view.tag(UpdateControl::Next), qv::kNextExecute);
}

TEST(FlashRead, FastAndNormalReadsGiveTheMemory)
{
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        bool fast;
    } cases[] = {
        {"fast, through the module", WithIo(), true},
        {"normal, through the module", WithIo(), false},
        {"normal, serial port only", {}, false},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ReadBench b(c.options);
        b.view.setChecked(WizardControl::FastMode, c.fast);
        b.fields(folder.path("flash"), "$1C000", "128");
        const int restarts = b.sim.instrument.restartCount();
        b.sim.prompter.queueAnswer(qv::Answer::Yes); // the warning before an update
        b.next();
        EXPECT_EQ(ReadFile(folder.path("flash.380")), b.sim.instrument.peek(qv::kImageBaseAddress, 128 * 128)) << c.name;
        const Texts texts = b.texts();
        ASSERT_EQ(texts.size(), 2u) << c.name;
        EXPECT_TRUE(texts[1].starts_with("The FLASH memory was read correctly.\r\rElapsed Time: 0:")) << texts[1];
        EXPECT_EQ(b.text(WizardText::FlashStatus), "Done.") << c.name;
        EXPECT_FALSE(b.view.isEnabled(WizardControl::FlashRead)) << c.name << ": until the page is shown again";
        EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextFinished) << c.name;
        EXPECT_GT(b.sim.instrument.restartCount(), restarts) << c.name;
        b.expectBackToNormal(c.name);
        if (c.options.ioModule.present) {
            EXPECT_EQ(b.module().count("@ATRDFlash"), c.fast ? 1 : 0) << c.name;
        }
    }
}

TEST(FlashRead, AFailedReadLeavesNoFile)
{
    qv::sim::InstrumentOptions silent;
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        bool silenceInstrument;
    } cases[] = {
        {"module stops in the middle", Io([](auto& io) { io.flashStopAtBlock = 3; }), false},
        {"instrument stops answering", {}, true},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ReadBench b(c.options);
        b.wizard.quiet = true;
        b.fields(folder.path("flash"), "$1C000", "16");
        if (c.silenceInstrument)
            b.sim.instrument.options().noAnswer = true;
        b.next();
        ASSERT_EQ(b.texts().size(), 1u) << c.name;
        EXPECT_TRUE(b.texts()[0].starts_with("An error occoured while reading the FLASH memory.\r\rElapsed Time: "))
            << b.texts()[0];
        EXPECT_FALSE(std::filesystem::exists(folder.path("flash.380"))) << c.name;
        if (!c.silenceInstrument)
            b.expectBackToNormal(c.name);
    }
}

TEST(FastFlashWrite, DspFileThroughTheModule)
{
    TempFolder folder;
    const std::vector<uint8_t> image(1300, 0x3C);
    const std::string file = folder.write("X.380", image);
    WizardBench b(WithIo());
    b.connectAndSelect();
    b.sim.prompter.queueAnswer(qv::Answer::Yes);
    EXPECT_TRUE(b.run(file));
    EXPECT_EQ(b.sim.instrument.peek(qv::kImageBaseAddress, image.size()), image);
    EXPECT_EQ(b.sim.instrument.peek(qv::kImageBaseAddress + 1300, 108), std::vector<uint8_t>(108, 0xFF));
    const Texts texts = b.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(texts[1].starts_with("The FLASH memory was updated correctly.\r\rElapsed Time: 0:")) << texts[1];
    EXPECT_EQ(b.info(), "FLASH Programming completed.");
    EXPECT_EQ(b.view.text(WizardText::Time), "100 %");
    EXPECT_EQ(b.module().count("@ATWRFlash"), 1);
    EXPECT_EQ(b.sim.instrument.blockWrites(), 0) << "not block by block";
    // Restarted by the key line and an FPGA reload.
    EXPECT_FALSE(b.sim.instrument.inDownloadMode());
    EXPECT_FALSE(b.module().keyDown());
    EXPECT_EQ(b.sim.wire.baudRate(), 9600);
}

TEST(FastFlashWrite, Failures)
{
    TempFolder folder;
    const std::vector<uint8_t> image(3000, 0x3C);
    const std::string file = folder.write("X.380", image);
    struct Case {
        const char* name;
        qv::sim::InstrumentOptions options;
        qv::MessageKind kind;
        std::string message;
        bool downloadMode; // the flash may be half written: the instrument waits for the next try
    } cases[] = {
        {"damaged for good", Io([](auto& io) {
             io.flashDamagedBlock = 2;
             io.flashDamagedTimes = 1000;
         }),
         qv::MessageKind::Error, "A CRC error was encountered while updating the FLASH memory.", true},
        // Known from the module's status: the instrument is not touched.
        {"not supported", Io([](auto& io) { io.runId = 2; }), qv::MessageKind::Warning,
         "The I/O firmware does not support FLASH memory upgrade.\rPlease contact technical support.", false},
        {"start unanswered", Io([](auto& io) { io.flashTransferAnswers = false; }), qv::MessageKind::Warning,
         "The I/O firmware does not support FLASH memory upgrade.\rPlease contact technical support.", true},
        {"not RUN mode", Io([](auto& io) { io.systemMode = 1; }), qv::MessageKind::Warning,
         "The I/O module is not in RUN-Mode.\rPlease contact technical support.", false},
        {"stops in the middle", Io([](auto& io) { io.flashStopAtBlock = 2; }), qv::MessageKind::Error,
         "A unknown error was encountered while updating the FLASH memory.", true},
    };
    for (const auto& c : cases) {
        WizardBench b(c.options);
        b.connectAndSelect();
        b.wizard.quiet = true;
        const int restarts = b.sim.instrument.restartCount();
        EXPECT_FALSE(b.run(file)) << c.name;
        EXPECT_EQ(b.sim.instrument.inDownloadMode(), c.downloadMode) << c.name;
        EXPECT_EQ(b.sim.instrument.restartCount() > restarts, c.downloadMode) << c.name;
        ASSERT_EQ(b.sim.prompter.shown().size(), 1u) << c.name;
        EXPECT_EQ(b.sim.prompter.shown()[0].kind, c.kind) << c.name;
        EXPECT_EQ(b.sim.prompter.shown()[0].text, c.message) << c.name;
        EXPECT_EQ(b.info(), "An error occoured while programming the FLASH memory.") << c.name;
        EXPECT_NE(b.view.text(WizardText::Time), "100 %") << c.name;
        EXPECT_EQ(b.sim.wire.baudRate(), 9600) << c.name;
    }
}

} // namespace
