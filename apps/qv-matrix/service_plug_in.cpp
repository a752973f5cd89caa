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
