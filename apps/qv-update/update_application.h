#pragma once

#include "host_machine.h"
#include "update_core.h"
#include "updater/ui/frm_cmd_param.h"
#include "updater/ui/frm_main.h"
#include "updater/ui/update_prompter.h"

#include <memory>
#include <optional>

namespace qv {

// One run of QV-Update with its window: the main window, its dialogs and
// the core behind them; the command line's job 100 ms after the window
// is shown.
class UpdateApplication {
public:
    static constexpr int kCommandLineDelayMs = 100;

    // On the real machine.
    explicit UpdateApplication(UpdateCommandLine line);
    // On the given services; the command line then runs when cmdTimerTimer is called.
    UpdateApplication(UpdateCommandLine line, const UpdateServices& services);
    ~UpdateApplication();

    // The start, the event loop and the exit status.
    int run();
    // Creates and shows the window.
    void start();
    // The command line (cmdTimer); ends the program once the dispatcher ran.
    void cmdTimerTimer();
    // 0 unless a command-line job did not do what it was asked.
    int exitStatus() const { return exitStatus_; }
    bool ended() const { return ended_; }

    TfrmMain& mainForm() { return *form_; }
    UpdateCore& core() { return *core_; }
    TfrmCMDParam& helpDialog() { return *cmdParam_; }

private:
    void End(int status);

    UpdateCommandLine line_;
    std::optional<HostMachine> machine_;
    UpdatePrompter qtPrompter_;
    std::optional<UpdateServices> services_;
    bool production_ = false;
    std::unique_ptr<TfrmMain> form_;
    std::unique_ptr<UpdateCore> core_;
    TfrmCMDParam* cmdParam_ = nullptr; // owned by the main window
    int exitStatus_ = kExitDone;
    bool ended_ = false;
};

} // namespace qv
