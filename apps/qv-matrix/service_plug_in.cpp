// The screen grab joined to the program: its menu entry, the transfer
// window, restart and the About box.
#include "matrix_application.h"

namespace qv {

void MatrixApplication::plugInScreenGrab()
{
    TMainForm* form = form_.get();
    screenGrab_ = new TfrmSCG(
        prompter_, pump_, [this] { return transferWindow(); }, [this] { connection_->restart(); },
        [this] {
            // Made with the main window, which is disabled under the screen grab.
            about_->setEnabled(true);
            about_->showFor(aboutInstrument());
        },
        form);
    QObject::connect(form, &TMainForm::screenGrabRequested, form, [this] { openScreenGrab(); });
}

void MatrixApplication::openScreenGrab()
{
    // It reads the instrument's memory: remote control ends first.
    if (remote_->connected() && !remote_->disconnectAsk())
        return;
    screenGrab_->FormShow(record_.type, form_->currentInterface().kind == InterfaceChoice::Kind::Serial);
}

} // namespace qv

namespace qv {

void MatrixApplication::plugInInstallation()
{
    TMainForm* form = form_.get();
    InstallConnection connection{
        [this] { return transferWindow(); },
        [this](bool skipTextQuery) {
            applyInterface();
            connection_->skipDotIdentityOnce = skipTextQuery;
            if (connection_->interface == MatrixInterface::Serial)
                connection_->identify();
            connection_->skipDotIdentityOnce = false;
        },
        [this] { connection_->restart(); },
        [this](const std::string& line) { debugList_->addLine(QString::fromStdString(line)); },
    };
    install_ = new TInstallForm(
        prompter_, record_, std::move(connection),
        [this]() -> std::optional<int> {
            TRVTTypeForm dialog(prompter_, install_);
            dialog.exec();
            return dialog.chosenType();
        },
        form);
    QObject::connect(form, &TMainForm::installSoftwareRequested, form, [this] { openInstallation({}); });
    form->hooks().installPackage = [this](const QString& path) {
        if (document_->ReplacementGuard())
            openInstallation(path);
    };
}

void MatrixApplication::openInstallation(const QString& package)
{
    // It restarts the instrument: remote control ends first.
    if (remote_->connected() && !remote_->disconnectAsk())
        return;
    // A package of the command line ends the program after its window.
    install_->ShowFor(package, !startedUp_);
}

} // namespace qv
