#pragma once

#include "counting_prompter.h"
#include "io_interface.h"
#include "update_command_line.h"
#include "update_connection.h"
#include "update_wizard.h"
#include "wizard_view.h"

namespace qv {

// What the program's parts a command-line job drives.
struct CommandLineContext {
    UpdateWizard& wizard;
    UpdateConnection& connection;
    IoInterface& io;
    UpdateIdentity& identity;
    WizardView& view;
    CountingPrompter& prompter;
};

struct CommandLineOutcome {
    // The dispatcher ran: the program ends now, whatever the outcome.
    bool dispatched = false;
    // kExitDone when the job did what it was asked and no error was shown.
    int status = kExitFailed;
};

// Runs the job of the command line as the wizard would with a user at it:
// connect, put the command into the input box, execute it quietly. The help
// job is the program's to show. A job that stops early leaves the wizard
// where the connection attempt left it.
CommandLineOutcome RunCommandLine(UpdateCommandLine& line, CommandLineContext context);

} // namespace qv
