#include "main_form_view.h"

#include "config/preset_list.h"
#include "matrix/channel_options.h"
#include "options/display_options.h"
#include "options/lock_code.h"
#include "matrix/ui/splash_form.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace qv {

MainFormView::~MainFormView()
{
    while (waitDepth_-- > 0)
        QApplication::restoreOverrideCursor();
    delete progressDialog_;
}

void MainFormView::setField(MainField field, const std::string& text)
{
    form_.setField(field, QString::fromStdString(text));
}

void MainFormView::enable(MainCommand command, bool enabled)
{
    form_.enable(command, enabled);
}

void MainFormView::setMainEnabled(bool enabled)
{
    // The start-up splash keeps the main window waiting until it closes.
    const TSplashForm* splash = form_.splash();
    form_.setEnabled(enabled && !(splash && splash->isVisible()));
}

void MainFormView::showWait(bool shown)
{
    if (shown) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const TSplashForm* splash = form_.splash();
        if (waitDepth_++ == 0 && !(splash && splash->isVisible()))
            wait_.showOverMainWindow();
    } else if (waitDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        if (--waitDepth_ == 0) {
            wait_.hide();
            wait_.setText(waitText_);
        }
    }
}

void MainFormView::setWaitText(const std::string& text)
{
    wait_.setText(QString::fromStdString(text));
}

void MainFormView::showImage(bool shown)
{
    grid_.showImage(shown);
    updateEditCommands();
}

void MainFormView::clearPresetList()
{
    form_.clearPresetList();
    form_.setPresetListEnabled(false);
}

void MainFormView::imageReplaced()
{
    rebuildPresetList();
    form_.setBacklight(image_.lowByte(image_.addressTable().BacklightAdr) & 0x07);
    form_.setBacklightEnabled(true);
    // The option dialogs the image's layout has.
    const uint16_t version = image_.imageVersion();
    form_.enable(MainCommand::PresetOptions, true);
    form_.enable(MainCommand::LcdOptions, version >= kLcdOptionsFromVersion);
    form_.enable(MainCommand::LeqOptions, version >= kGroupsFromVersion);
    form_.enable(MainCommand::LockCode, version >= kLockCodeFromVersion);
    grid_.markIllegal();
    grid_.rebuild();
    grid_.showImage(true);
    updateEditCommands();
}

void MainFormView::addRecentFile(const std::string& path)
{
    form_.addRecentFile(QString::fromStdString(path));
}

void MainFormView::advanceSplash(int amount)
{
    if (TSplashForm* splash = form_.splash(); splash && splash->isVisible())
        splash->advance(amount);
}

void MainFormView::hideSplash()
{
    if (TSplashForm* splash = form_.splash())
        splash->finish();
}

void MainFormView::showProgressDialog(const std::string& caption, const std::string& text)
{
    delete progressDialog_;
    auto* dialog = new QDialog(&form_, Qt::Dialog | Qt::WindowTitleHint);
    dialog->setWindowTitle(QString::fromStdString(caption));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new QLabel(QString::fromStdString(text), dialog));
    dialog->setMinimumWidth(280);
    dialog->show();
    progressDialog_ = dialog;
}

void MainFormView::hideProgressDialog()
{
    delete progressDialog_;
}

void MainFormView::rebuildPresetList()
{
    QStringList names;
    for (const std::string& entry : PresetListEntries(image_))
        names << QString::fromStdString(entry);
    form_.setPresetNames(names);
    form_.selectPreset(image_.selectedPreset() + 1);
    form_.setPresetListEnabled(true);
}

std::string MainFormView::field(MainField field) const
{
    return form_.field(field).toStdString();
}

void MainFormView::rebuildLabels()
{
    grid_.rebuildLabels();
}

void MainFormView::selectPreset(int preset)
{
    form_.selectPreset(preset);
}

void MainFormView::enablePresetList(bool enabled)
{
    form_.setPresetListEnabled(enabled);
}

void MainFormView::showRemoteConnected(bool connected)
{
    form_.setRemoteConnected(connected);
    updateEditCommands();
}

void MainFormView::setRemoteState(bool connected, uint16_t instrumentVersion, bool typeSupported)
{
    grid_.setRemoteState(connected, instrumentVersion, typeSupported);
    // Connected, the instrument's own setting rules; after it, no image.
    form_.setBacklightEnabled(false);
    updateEditCommands();
}

void MainFormView::markIllegalCrosspoints(uint16_t version)
{
    grid_.markIllegal(version);
}

void MainFormView::crosspointReport(int output, int input, bool remote)
{
    grid_.applyCrosspointReport(output, input, remote);
}

void MainFormView::flashCrosspoint(int output, int input)
{
    grid_.flashCrosspoint(output, input);
}

void MainFormView::updateEditCommands()
{
    const bool shown = !grid_.isHidden();
    const bool offline = !form_.remoteConnected();
    auto set = [this](const char* name, bool on) {
        if (QAction* a = form_.action(name))
            a->setEnabled(on);
    };
    set("mnuCopyLabels", shown && offline);
    set("mnuCopyXPoints", shown && offline);
    set("mnuPasteLabels", shown && offline && grid_.canPasteLabels());
    set("mnuPasteXPoints", shown && offline && grid_.canPasteXPoints());
}

} // namespace qv
