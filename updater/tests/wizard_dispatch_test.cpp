// ExecuteCommand's branches against the simulated instrument on virtual time.
#include "wizard_fixture.h"

#include "updater/wizard_texts.h"

namespace {

using qv::Answer;
using qv::UpdateControl;
using Texts = std::vector<std::string>;

const std::string kConfirmTail =
    ".\r\rDO NOT DISCONNECT THE INSTRUMENT WHILE THE UPDATE IS IN PROGRESS!\r\rDisconnecting while the update is in "
    "progress will render the instrument inoperable.\rWe advise you to close all other open programs while the "
    "update is in progress.\r\rDo you wish to proceed?";

qv::sim::InstrumentOptions Bios(qv::sim::InstrumentOptions options = {})
{
    options.biosMode = true;
    return options;
}

TEST(WizardDispatch, RestartAndDownloadModeNeedNoConfirmation)
{
    for (bool io : {false, true}) {
        WizardBench b(io ? WithIo() : qv::sim::InstrumentOptions{});
        b.connectAndSelect();
        const int restarts = b.sim.instrument.restartCount();
        EXPECT_TRUE(b.run("RVT/I")) << io;
        EXPECT_EQ(b.sim.instrument.restartCount(), restarts + 1) << io;
        EXPECT_FALSE(b.sim.instrument.inDownloadMode()) << io;
        EXPECT_EQ(b.info(), "Done.") << io;
        EXPECT_EQ(b.view.text(qv::WizardText::Time), "100 %") << io;
        EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextFinished) << io;
        EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next)) << io;
        EXPECT_FALSE(b.view.isEnabled(UpdateControl::Exit)) << io;
        EXPECT_FALSE(b.view.isEnabled(qv::WizardControl::Filename)) << io;

        b.sim.clock.sleepMs(b.sim.instrument.options().bootMs);
        EXPECT_TRUE(b.run("RVT/DLM")) << io;
        EXPECT_TRUE(b.sim.instrument.inDownloadMode()) << io;
        EXPECT_TRUE(b.texts().empty()) << io;
    }
}

TEST(WizardDispatch, DownloadModeNeedsAnInstrumentThatAnswersText)
{
    qv::sim::InstrumentOptions silent;
    silent.answersText = false;
    WizardBench b(silent);
    b.connectAndSelect();
    EXPECT_FALSE(b.run("RVT/DLM")) << "nothing was asked of the instrument";
    EXPECT_EQ(b.info(), "Done.");
    EXPECT_FALSE(b.sim.instrument.inDownloadMode());
}

TEST(WizardDispatch, ConfirmationBeforeAnUpdate)
{
    WizardBench b(WithIo());
    b.connectAndSelect();
    b.sim.prompter.queueAnswer(Answer::No);
    EXPECT_FALSE(b.run("MCU/ERASE"));
    ASSERT_EQ(b.sim.prompter.shown().size(), 1u);
    const auto& shown = b.sim.prompter.shown()[0];
    EXPECT_EQ(shown.kind, qv::MessageKind::Warning);
    EXPECT_EQ(shown.text, "You are about to update the software in the RVT120S connected to SIM" + kConfirmTail);
    EXPECT_EQ(shown.buttons, unsigned(qv::ButtonYesNo));
    EXPECT_EQ(shown.defaultAnswer, Answer::No);
    EXPECT_EQ(shown.style, qv::MessageStyle::Alarm);
    EXPECT_FALSE(b.module().flashErased()) << "No touches nothing";
    EXPECT_EQ(b.wizard.page(), "START");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextToFileSelection);

    b.sim.prompter.clearShown();
    b.wizard.quiet = true;
    EXPECT_TRUE(b.wizard.ConfirmUpdate());
    EXPECT_TRUE(b.texts().empty());

    WizardBench bios(Bios());
    bios.connectAndSelect();
    EXPECT_EQ(bios.wizard.ConfirmUpdateText(),
              "You are about to update the software in the UNKNOWN INSTRUMENT connected to SIM" + kConfirmTail);
}

TEST(WizardDispatch, EraseIoFirmware)
{
    WizardBench b(WithIo());
    b.connectAndSelect();
    b.sim.prompter.queueAnswer(Answer::Yes);
    EXPECT_TRUE(b.run("MCU/ERASE"));
    EXPECT_TRUE(b.module().flashErased());
    EXPECT_EQ(b.texts()[1], "The I/O Firmware was erased correctly.");
    EXPECT_EQ(b.info(), "Flash Erased.");
    const auto& bar = b.view.bars[qv::WizardBar::Progress];
    EXPECT_EQ(bar.position(), bar.maximum());

    // The module refuses its boot loader: the erase in the running code is refused.
    qv::sim::InstrumentOptions refusing = WithIo();
    refusing.ioModule.refuseBootLoader = true;
    WizardBench r(refusing);
    r.connectAndSelect();
    r.wizard.quiet = true;
    EXPECT_FALSE(r.run("MCU/ERASE"));
    EXPECT_EQ(r.texts(), Texts{"An error was encountered while erasing the I/O Firmware.\r\rUnknown Result: 0x4E\r\r"
                               "Please disconnect the USB cable and repower the instrument."});

    // Without a module there is nothing to erase, said after the question.
    WizardBench none;
    none.connectAndSelect();
    none.sim.prompter.queueAnswer(Answer::Yes);
    EXPECT_FALSE(none.run("MCU/ERASE"));
    EXPECT_EQ(none.texts().back(), qv::kNotSupportedText);
    EXPECT_EQ(none.texts().size(), 2u);
}

TEST(WizardDispatch, EthernetResetClosesThePort)
{
    WizardBench b(WithIo());
    b.connectAndSelect();
    b.wizard.quiet = true;
    EXPECT_TRUE(b.run("ETH/RESET"));
    EXPECT_EQ(b.module().ethernetResets(), 1);
    EXPECT_FALSE(b.sim.port.isOpen());
    EXPECT_EQ(b.info(), "Done.");
    EXPECT_EQ(b.view.text(qv::WizardText::Time), "100 %");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextPortClosed);
    EXPECT_TRUE(b.view.isEnabled(UpdateControl::Next));

    b.wizard.btnNextClick();
    EXPECT_EQ(b.view.tree.flatten(), (std::vector<std::pair<int, std::string>>{{0, "Disconnected."}}));
    EXPECT_EQ(b.view.captions[UpdateControl::Open], "Connect");
    EXPECT_EQ(b.view.title, "QV-Update - Not Connected");
    EXPECT_TRUE(b.view.isEnabled(UpdateControl::Find));
    EXPECT_EQ(b.wizard.page(), "START");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextToStart);
}

TEST(WizardDispatch, IoModuleSteps)
{
    struct Case {
        std::string command;
        bool biosAfter;
        bool keyDown;
        int restarts;
        std::string failure; // without a module
    } cases[] = {
        {"MCU/BIOS", true, true, 1, "FPGA Could not be reloaded. Please install the FPGA-Loader."},
        {"MCU/FPGAReload", false, false, 1, "FPGA Could not be reloaded. Please install the FPGA-Loader."},
        {"MCU/KEYD", false, true, 0, "Keydown could not be set correctly. Please install the FPGA-Loader."},
        {"MCU/KEYU", false, false, 0, "Keydown could not be set correctly. Please install the FPGA-Loader."},
    };
    for (const auto& c : cases) {
        WizardBench b(WithIo());
        b.connectAndSelect();
        b.wizard.quiet = true;
        const int restarts = b.sim.instrument.restartCount();
        EXPECT_TRUE(b.run(c.command)) << c.command;
        EXPECT_EQ(b.sim.instrument.options().biosMode, c.biosAfter) << c.command;
        EXPECT_EQ(b.module().keyDown(), c.keyDown) << c.command;
        EXPECT_EQ(b.sim.instrument.restartCount(), restarts + c.restarts) << c.command;
        EXPECT_EQ(b.info(), "Done.") << c.command;
        EXPECT_EQ(b.view.text(qv::WizardText::Time), "100 %") << c.command;
        EXPECT_TRUE(b.texts().empty()) << c.command;

        WizardBench none;
        none.connectAndSelect();
        none.wizard.quiet = true;
        EXPECT_FALSE(none.run(c.command)) << c.command;
        EXPECT_EQ(none.info(), c.failure) << c.command;
        EXPECT_TRUE(none.texts().empty()) << c.command << ": said in the status text only";
    }
}

TEST(WizardDispatch, TextForTheInstrument)
{
    WizardBench b;
    b.connectAndSelect();
    b.wizard.quiet = true;
    EXPECT_TRUE(b.run("CMD/.SP15,22"));
    ASSERT_FALSE(b.sim.instrument.textLines().empty());
    EXPECT_EQ(b.sim.instrument.textLines().back(), ".SP15,22");
}

TEST(WizardDispatch, DspFileWritesItsWholeSectors)
{
    TempFolder folder;
    const std::vector<uint8_t> bytes = Pattern(1000);
    const std::string file = folder.write("X.380", bytes);
    WizardBench b;
    b.connectAndSelect();
    const int restarts = b.sim.instrument.restartCount();
    b.sim.prompter.queueAnswer(Answer::Yes);
    EXPECT_TRUE(b.run(file));
    EXPECT_EQ(b.sim.instrument.blockWrites(), 7);
    EXPECT_EQ(b.sim.instrument.peek(0x1C000, 896), std::vector<uint8_t>(bytes.begin(), bytes.begin() + 896));
    EXPECT_EQ(b.sim.instrument.restartCount(), restarts + 2) << "into download mode, and out again";
    EXPECT_EQ(b.texts().back(), "The DSP-Software was updated correctly.\rPress NEXT to continue.");
    EXPECT_EQ(b.info(), "Done.");
    EXPECT_EQ(b.view.text(qv::WizardText::Time), "100 %");

    // Quietly, through the I/O-interface, with its fast flash switched off.
    WizardBench io(WithIo());
    io.io.spiDisabled = true;
    io.connectAndSelect();
    io.wizard.quiet = true;
    EXPECT_TRUE(io.run(file));
    EXPECT_EQ(io.sim.instrument.blockWrites(), 7);
    EXPECT_TRUE(io.texts().empty());
}

TEST(WizardDispatch, DspFileRefusals)
{
    TempFolder folder;
    const std::string large = folder.write("L.380", Pattern(qv::UpdateWizard::kDspBufferBytes + 1));
    struct Case {
        std::string name;
        std::string file;
        qv::sim::InstrumentOptions options;
        std::string error;
    } cases[] = {
        {"too long", large, {}, "The file \"" + large + "\" is larger than 262144 bytes and cannot be downloaded."},
        {"gone", folder.path("gone.380"), {}, "The file \"" + folder.path("gone.380") + "\" was not found."},
        // A module whose flash answers takes DSP files by fast flash.
        {"gone, fast flash", folder.path("gone.000"), WithIo(),
         "The file \"" + folder.path("gone.000") + "\" was not found.\rPlease specify another filename."},
        {"too long, fast flash", large, WithIo(),
         "The file \"" + large + "\" is larger than 262144 bytes and cannot be downloaded."},
    };
    for (const auto& c : cases) {
        WizardBench b(c.options);
        b.connectAndSelect();
        b.wizard.quiet = true;
        const int restarts = b.sim.instrument.restartCount();
        EXPECT_FALSE(b.execute(c.file)) << c.name;
        EXPECT_EQ(b.texts(), Texts{c.error}) << c.name;
        EXPECT_EQ(b.sim.instrument.restartCount(), restarts) << c.name << ": the instrument was not touched";
        EXPECT_EQ(b.sim.instrument.blockWrites(), 0) << c.name;
    }
}

TEST(WizardDispatch, DspFileTransferFailure)
{
    TempFolder folder;
    const std::string file = folder.write("X.380", Pattern(1000));
    WizardBench b;
    b.connectAndSelect();
    b.wizard.quiet = true;
    b.sim.instrument.options().noAnswer = true;
    EXPECT_FALSE(b.run(file));
    EXPECT_EQ(b.texts(), Texts{"An error was encountered during the software update."});
    EXPECT_EQ(b.view.text(qv::WizardText::PresetInfo), "Done.");
}

TEST(WizardDispatch, WhatNeedsAModuleOrNamesNothingIsNotSupported)
{
    struct Case {
        std::string text;
        bool io;
        std::string error;
    } cases[] = {
        // What needs a module is not supported without one.
        {"/u/io.HEX", false, qv::kNotSupportedText},
        {"MCU/FPGA", false, qv::kNotSupportedText},
        {"/u/board.xsvf", false, qv::kNotSupportedText},
        {"/u/in.xB0", false, qv::kNotSupportedText},
        {"FAST/", false, qv::kNotSupportedText},
        {"", false, qv::kNotSupportedText},
    };
    for (const auto& c : cases) {
        WizardBench b(c.io ? WithIo() : qv::sim::InstrumentOptions{});
        b.connectAndSelect();
        b.wizard.quiet = true;
        EXPECT_FALSE(b.execute(c.text)) << c.text;
        EXPECT_EQ(b.texts(), Texts{c.error}) << c.text;
    }
}

TEST(WizardDispatch, NextAfterAnOperationDisconnects)
{
    WizardBench b(WithIo());
    b.connectAndSelect();
    EXPECT_TRUE(b.run("RVT/I"));
    b.wizard.btnNextClick();
    EXPECT_FALSE(b.sim.port.isOpen());
    EXPECT_EQ(b.view.title, "QV-Update - Not Connected");
    EXPECT_EQ(b.wizard.page(), "START");
    EXPECT_EQ(b.view.tag(UpdateControl::Next), qv::kNextToStart);
    EXPECT_FALSE(b.module().commandMode());
}

} // namespace
