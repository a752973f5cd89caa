#include "batch_run.h"

#include "updater/headless_wizard_view.h"

#include <string>

namespace qv {

namespace {

std::string WithNewlines(std::string text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r')
            continue;
        out += text[i];
    }
    return out;
}

} // namespace

int RunBatch(UpdateCommandLine line, const UpdateServices& services, std::FILE* out, std::FILE* err)
{
    if (line.job == CommandJob::Help) {
        std::fputs((WithNewlines(CommandLineHelpText()) + "\n").c_str(), out);
        return kExitDone;
    }
    HeadlessWizardView view;
    UpdateCore core(services, view, line);
    view.onStartPage = [&] { core.wizard.ShowPage("START"); };
    core.FormShow();
    if (line.job == CommandJob::None) {
        std::fputs("qv-update: no job on the command line; see --help.\n", err);
        return kExitFailed;
    }
    const CommandLineOutcome outcome = core.RunJob(line);
    const std::string status = view.text(WizardText::Info);
    core.DisconnectAtEnd();
    if (outcome.status == kExitDone || core.prompter.errors() > 0)
        return outcome.status;
    // Said only by the window's texts, which nobody sees here.
    if (!outcome.dispatched)
        std::fputs("qv-update: the job stopped before it ran: no instrument found, no connection or bad "
                   "arguments.\n",
                   err);
    else
        std::fputs(("qv-update: the job was not done: " + status + "\n").c_str(), err);
    return outcome.status;
}

} // namespace qv
