// The dispatcher's package installation: the backup check, then the
// installer with the "CDP" page as its display.
#include "update_wizard.h"

#include "package_host.h"
#include "packages/backup_target.h"
#include "packages/package_installer.h"

namespace qv {

namespace {

// The run's outcome in one line, for whoever reads the status (--batch).
const char* OutcomeText(InstallOutcome outcome)
{
    switch (outcome) {
    case InstallOutcome::Done:
        return "The software installation is complete.";
    case InstallOutcome::Incomplete:
        return "The software installation is not complete.";
    case InstallOutcome::Failed:
    case InstallOutcome::PreparationFailed:
        return "The software update was not completed.";
    case InstallOutcome::Cancelled:
        return "The software installation was cancelled.";
    case InstallOutcome::UsbDeclined:
    case InstallOutcome::NotStarted:
        break;
    }
    return "Nothing was installed.";
}

} // namespace

bool UpdateWizard::InstallPackageFile(const std::string& path)
{
    view_.setBannerBusy(true);
    std::optional<std::string> backupFile;
    if (view_.checked(WizardControl::Backup)) {
        const BackupTarget target = CheckBackupTarget(view_.text(WizardText::BackupFileName), prompter_);
        view_.panel(WizardText::BackupFileName).setText(target.name);
        if (!target.ok) {
            view_.setTag(UpdateControl::Next, kNextExecute);
            view_.enable(UpdateControl::Exit, true);
            for (WizardControl control : {WizardControl::FileName, WizardControl::Filename})
                view_.enableWizard(control, true);
            view_.setBannerBusy(false);
            return false;
        }
        for (WizardControl control : {WizardControl::BackupFileName, WizardControl::BackupButton})
            view_.enableWizard(control, false);
        backupFile = target.name;
    }
    view_.enableWizard(WizardControl::Backup, false);
    // Cancel stays alive for the whole installation.
    view_.enable(UpdateControl::Exit, true);
    PackageInstallHost host(io_, identity_, connection_, view_, firmware_);
    const InstallOutcome outcome = PackageInstaller(host, host).InstallPackage(path, backupFile);
    view_.enable(UpdateControl::Exit, false);
    view_.setBannerBusy(false);
    info().setText(OutcomeText(outcome));
    switch (outcome) {
    case InstallOutcome::UsbDeclined:
        ShowPage("START");
        view_.setTag(UpdateControl::Next, kNextToFileSelection);
        break;
    case InstallOutcome::PreparationFailed:
        // Next disconnects and shows the start page.
        view_.setTag(UpdateControl::Next, kNextFinished);
        btnNextClick();
        break;
    default:
        break;
    }
    return outcome == InstallOutcome::Done;
}

} // namespace qv
