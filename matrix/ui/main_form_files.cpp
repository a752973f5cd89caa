#include "main_form.h"

#include "dropped_files_form.h"
#include "recent_files.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>

namespace qv {

// --- recent files ---

void TMainForm::addRecentFile(const QString& path)
{
    if (AddRecentFile(settings_.recentFiles, path))
        WriteRecentFiles(settings_.recentFiles, settingsPath_);
    refreshRecentMenu();
}

void TMainForm::refreshRecentMenu()
{
    bool any = false;
    for (int n = 1; n <= kRecentFileCount; ++n) {
        const QString& path = settings_.recentFiles[n - 1];
        QAction* entry = mnuRecentFile[n - 1];
        entry->setText(RecentFileCaption(n, path).replace('&', "&&"));
        entry->setVisible(!path.isEmpty());
        any |= !path.isEmpty();
    }
    mnuRecent->menuAction()->setEnabled(any);
}

void TMainForm::openRecentFile(int n)
{
    if (n < 1 || n > kRecentFileCount)
        return;
    // Taken before the replacement guard runs: a Save As inside it puts a
    // new name first and would shift entry n to another file.
    const QString path = settings_.recentFiles[n - 1];
    if (path.isEmpty())
        return;
    if (hooks_.openRecentFile)
        hooks_.openRecentFile(path);
    else
        hooks_.openFile(path);
}

// --- hand-over and dropped files ---

void TMainForm::queueHandOver(const QString& path)
{
    handOvers_ << path;
    // Dispatched from the event loop, not from inside the socket's handler.
    QTimer::singleShot(0, this, &TMainForm::drainHandOvers);
}

bool TMainForm::busy() const
{
    return busy_ > 0 || hooks_.macroRunning() || !isEnabled() || QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void TMainForm::drainHandOvers()
{
    while (!handOvers_.isEmpty()) {
        if (busy()) {
            handOverTimer_.start();
            return;
        }
        handOver(handOvers_.takeFirst());
    }
}

void TMainForm::bringToFront()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TMainForm::handOver(const QString& path)
{
    ++busy_;
    bringToFront();
    dispatchFile(path);
    setField(MainField::File, ExplorerFileText(path));
    --busy_;
}

void TMainForm::dispatchFile(const QString& path)
{
    switch (FileKindOf(path)) {
    case MatrixFileKind::Preset: hooks_.openFile(path); break;
    case MatrixFileKind::Macro: offerMacro(path); break;
    case MatrixFileKind::Package: offerPackage(path); break;
    case MatrixFileKind::Other: break;
    }
}

void TMainForm::offerMacro(const QString& path)
{
    if (!remoteMenuEnabled())
        return;
    if (remoteConnected_) {
        hooks_.runMacro(path);
        return;
    }
    if (!prompter_.confirm(kMacroConnectQuestion))
        return;
    // Remote control runs it once the crosspoints are read.
    setPendingMacro(path);
    if (!hooks_.connectRemote())
        setPendingMacro({});
}

void TMainForm::offerPackage(const QString& path)
{
    if (!hooks_.installPackage) {
        prompter_.information(kInstallNotAvailableText);
        return;
    }
    const InstrumentSummary instrument = hooks_.instrument();
    if (!instrument.connected) {
        prompter_.error(kNoRvtConnectedText);
        return;
    }
    if (prompter_.confirm(InstallQuestionText(instrument, portDisplayName().toStdString())))
        hooks_.installPackage(path);
}

void TMainForm::setPendingMacro(const QString& path)
{
    if (pendingMacro_ == path)
        return;
    pendingMacro_ = path;
    emit pendingMacroChanged();
}

QString TMainForm::takePendingMacro()
{
    QString path = pendingMacro_;
    setPendingMacro({});
    return path;
}

void TMainForm::dispatchDroppedFiles(const QStringList& names)
{
    ++busy_;
    for (const QString& name : names) {
        if (!QFileInfo(name).isFile())
            continue;
        if (names.size() == 1)
            dispatchFile(name);
        switch (FileKindOf(name)) {
        case MatrixFileKind::Preset: droppedFiles_->addPreset(name); break;
        case MatrixFileKind::Macro: droppedFiles_->addMacro(name); break;
        default: break;
        }
    }
    if (names.size() > 1) {
        droppedFiles_->show();
        droppedFiles_->raise();
    }
    --busy_;
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    dispatchDroppedFiles(files);
}

// --- file types ---

bool TMainForm::isAssociated(const QString& ext) const
{
    return fileTypes_.isAssociated(ext);
}

bool TMainForm::setAssociation(const QString& ext, bool on)
{
    if (fileTypes_.setAssociation(ext, on))
        return true;
    prompter_.error(fileTypes_.errorText().toStdString());
    return false;
}

void TMainForm::checkFileAssociations()
{
    if (!settings_.checkFileAssociation)
        return;
    bool all = true;
    for (const QString& ext : FileTypeRegistry::extensions())
        all &= isAssociated(ext);
    if (all)
        return;
    // Yes leads to the Options dialog, where the user ticks the types.
    if (prompter_.message(MessageKind::Warning, kAssociationQuestionText, ButtonYesNo, Answer::Yes) == Answer::Yes)
        emit optionsRequested();
}

} // namespace qv
