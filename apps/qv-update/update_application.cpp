#include "update_application.h"

#include "update_version.h"

#include <QApplication>
#include <QTimer>

namespace qv {

UpdateApplication::UpdateApplication(UpdateCommandLine line) : line_(std::move(line)), production_(true)
{
    machine_.emplace(line_);
    services_.emplace(machine_->services(qtPrompter_));
}

UpdateApplication::UpdateApplication(UpdateCommandLine line, const UpdateServices& services)
    : line_(std::move(line)), services_(services)
{
}

UpdateApplication::~UpdateApplication()
{
    // The core refers to the window as its view.
    core_.reset();
    form_.reset();
}

int UpdateApplication::run()
{
    start();
    if (!ended_)
        QApplication::exec();
    return exitStatus_;
}

void UpdateApplication::start()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));
    if (production_)
        RaiseProcessPriority();
    form_ = std::make_unique<TfrmMain>(services_->prompter, UpdateVersionText(),
                                       UpdateCheckSettings{services_->updateServer, services_->webAddress});
    core_ = std::make_unique<UpdateCore>(*services_, *form_, line_);
    form_->attach(core_->connection, core_->wizard, core_->advanced);
    qtPrompter_.setMainWindow(form_.get());
    cmdParam_ = new TfrmCMDParam(form_.get());
    QObject::connect(form_.get(), &TfrmMain::closed, form_.get(), [this] { ended_ = true; });

    form_->show();
    core_->FormShow();
    if (production_)
        QTimer::singleShot(kCommandLineDelayMs, form_.get(), [this] { cmdTimerTimer(); });
}

void UpdateApplication::cmdTimerTimer()
{
    if (line_.job == CommandJob::Help) {
        cmdParam_->showCentred();
        End(kExitDone);
        return;
    }
    const CommandLineOutcome outcome = core_->RunJob(line_);
    if (line_.job != CommandJob::None)
        exitStatus_ = outcome.status;
    if (outcome.dispatched) {
        core_->DisconnectAtEnd();
        End(outcome.status);
    }
}

void UpdateApplication::End(int status)
{
    exitStatus_ = status;
    ended_ = true;
    form_->closeWindow();
}

} // namespace qv
