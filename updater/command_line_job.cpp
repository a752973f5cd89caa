// The unattended jobs of the command line, run through the wizard.
#include "command_line_job.h"

#include "wizard_texts.h"

namespace qv {

namespace {

// Opens the job's port and connects; false when the job ends here.
bool Connect(const UpdateCommandLine& line, CommandLineContext& c)
{
    c.connection.skipPort = line.skipPort;
    switch (line.portChoice) {
    case PortChoice::Autoselect:
        c.view.enable(UpdateControl::Exit, false);
        if (c.connection.FindInstrument(true) == 0)
            return false;
        break;
    case PortChoice::Named:
        c.connection.setPortName(line.portName);
        break;
    case PortChoice::Invalid:
        return false;
    }
    c.connection.btnOpenClick();
    if (c.io.channel().port().isOpen())
        return true;
    c.prompter.message(MessageKind::Warning, CouldNotConnectText(c.connection.portName()));
    return false;
}

CommandLineOutcome RunJob(UpdateCommandLine& line, CommandLineContext& c)
{
    c.wizard.quiet = true;
    if (line.job == CommandJob::Download) {
        if (const auto missing = PrepareDownload(line)) {
            c.prompter.error(*missing);
            return {};
        }
    }
    if (!Connect(line, c))
        return {};
    if (line.job == CommandJob::Download) {
        c.view.enable(UpdateControl::Exit, false);
        if (line.serial != 0)
            c.connection.AssumeSerialNumber(line.serial);
    }
    c.view.setBannerBusy(true);
    c.wizard.ShowPage("SELFILE");
    if (line.job == CommandJob::Download)
        c.view.setInfo(kUpdateInProgressText);
    c.wizard.SetInput(line.command);
    if (line.job == CommandJob::Download)
        c.view.setChecked(WizardControl::Backup, false);
    if (line.job == CommandJob::ReadFlash) {
        // An address or count that is no number goes no further.
        if (!line.readArgumentsValid) {
            c.view.setBannerBusy(false);
            return {};
        }
        c.view.panel(WizardText::FlashAddress).setText(line.flashAddress);
        c.view.panel(WizardText::FlashSectors).setText(line.sectorCount);
        c.view.panel(WizardText::FlashFile).setText(line.flashFile);
        c.wizard.keepFlashFileName = !line.flashFileGiven;
    }
    c.view.setTag(UpdateControl::Next, kNextToStart);
    const int errorsBefore = c.prompter.errors();
    const bool done = c.wizard.ExecuteCommand();
    c.view.setBannerBusy(false);
    return {true, done && c.prompter.errors() == errorsBefore ? kExitDone : kExitFailed};
}

} // namespace

CommandLineOutcome RunCommandLine(UpdateCommandLine& line, CommandLineContext context)
{
    if (!line.words.empty())
        context.view.setInfo(kCommandLineBusyText);
    if (line.spiDisabled) {
        context.io.spiDisabled = true;
        context.view.setInfo(kStartInfoText);
    }
    if (line.vp30)
        context.identity.vp30Switch = true;
    const int errorsBefore = context.prompter.errors();
    CommandLineOutcome outcome;
    if (line.job != CommandJob::None && line.job != CommandJob::Help)
        outcome = RunJob(line, context);
    // Errors before the dispatcher ran (a missing file) count as well.
    if (context.prompter.errors() != errorsBefore)
        outcome.status = kExitFailed;
    context.view.enable(UpdateControl::Exit, true);
    return outcome;
}

} // namespace qv
