#include "main_form.h"

#include "dropped_files_form.h"
#include "file_type_icons.h"
#include "matrix_version.h"
#include "splash_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace qv {

TMainForm::TMainForm(Prompter& prompter, QWidget* parent)
    : QMainWindow(parent),
      prompter_(prompter),
      settingsPath_(MatrixSettingsPath()),
      fileTypes_(QCoreApplication::applicationFilePath())
{
    setObjectName("MainForm");
    setWindowTitle(kMainFormCaption);
    setWindowIcon(ProgramIcon());
    setMinimumSize(kMainMinimumWidth, kMainMinimumHeight);
    resize(kMainMinimumWidth, kMainMinimumHeight);
    setAcceptDrops(true);

    GridArea = new QFrame(this);
    GridArea->setObjectName("GridArea");
    static_cast<QFrame*>(GridArea)->setFrameShape(QFrame::StyledPanel);
    gridLayout_ = new QVBoxLayout(GridArea);
    gridLayout_->setContentsMargins(0, 0, 0, 0);
    setCentralWidget(GridArea);

    notBuilt_ = new QActionGroup(this);
    notBuilt_->setObjectName("NotBuiltYet");
    notBuilt_->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    notBuilt_->setEnabled(false);
    buildMenus();
    buildToolBar();
    buildStatusBar();

    droppedFiles_ = new TDroppedFilesForm(this);
    connect(droppedFiles_, &TDroppedFilesForm::loadPresetRequested, this,
            [this](const QString& path) { hooks_.openFile(path); });
    connect(droppedFiles_, &TDroppedFilesForm::executeMacrosRequested, this, [this](const QStringList& paths) {
        for (const QString& path : paths)
            offerMacro(path);
    });
    connect(droppedFiles_, &TDroppedFilesForm::filesDropped, this, &TMainForm::dispatchDroppedFiles);

    handOverTimer_.setInterval(100);
    handOverTimer_.setSingleShot(true);
    connect(&handOverTimer_, &QTimer::timeout, this, &TMainForm::drainHandOvers);

    // Keys are looked at before the focused control gets them.
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm()
{
    qApp->removeEventFilter(this);
}

void TMainForm::setSplash(TSplashForm* splash)
{
    splash_ = splash;
    if (splash_)
        connect(splash_, &TSplashForm::closed, this, [this] { setEnabled(true); });
}

void TMainForm::holdForSplash()
{
    if (splash_ && splash_->isVisible())
        setEnabled(false);
}

TSplashForm* TMainForm::splash() const
{
    return splash_;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!closeQuery()) {
        event->ignore();
        return;
    }
    droppedFiles_->hide();
    event->accept();
}

void TMainForm::setField(MainField field, const QString& text)
{
    statusFields_[int(field)]->setText(text);
    statusFields_[int(field)]->setToolTip(field == MainField::File ? text : QString());
}

QString TMainForm::field(MainField field) const
{
    return statusFields_[int(field)]->text();
}

void TMainForm::enable(MainCommand command, bool enabled)
{
    for (QAction* a : commandActions(command))
        a->setEnabled(enabled);
    if (command == MainCommand::RemoteControl) {
        remoteMenu_ = enabled;
        setRemoteConnected(remoteConnected_);
    }
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // A submenu follows the window's enabled state with its entry; the
    // remote-control entry keeps the state it was given.
    if (event->type() == QEvent::EnabledChange)
        mnuRemote->menuAction()->setEnabled(remoteMenu_);
}

bool TMainForm::commandEnabled(MainCommand command) const
{
    const QList<QAction*> actions = commandActions(command);
    return !actions.isEmpty() && actions.first()->isEnabled();
}

QAction* TMainForm::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

QAction* TMainForm::macroAction(int item) const
{
    return item >= 1 && item <= kMacroItemCount ? mnuMacroItem[item - 1] : nullptr;
}

void TMainForm::setRemoteConnected(bool connected)
{
    remoteConnected_ = connected;
    {
        const QSignalBlocker block(actRemote);
        actRemote->setChecked(connected);
    }
    const bool menu = remoteMenuEnabled();
    action("mnuConnect")->setEnabled(menu && !connected);
    action("mnuConnect")->setChecked(connected);
    action("mnuDisconnect")->setEnabled(menu && connected);
    action("mnuDisconnect")->setChecked(!connected);
    emit remoteConnectedShown(connected);
}

bool TMainForm::remoteMenuEnabled() const
{
    return remoteMenu_;
}

void TMainForm::setMousePadVisible(bool visible)
{
    action("mnuMousePad")->setVisible(visible);
}

void TMainForm::setDiagnosticButtonsVisible(bool visible)
{
    btnDotLog->setVisible(visible);
    btnDebug->setVisible(visible);
}

void TMainForm::setPresetNames(const QStringList& names)
{
    const QSignalBlocker block(PresetDropDown);
    PresetDropDown->clear();
    PresetDropDown->addItems(names);
    PresetDropDown->setCurrentIndex(names.isEmpty() ? -1 : 0);
}

void TMainForm::clearPresetList()
{
    setPresetNames({});
}

void TMainForm::selectPreset(int preset)
{
    const QSignalBlocker block(PresetDropDown);
    PresetDropDown->setCurrentIndex(preset - 1);
}

int TMainForm::selectedPreset() const
{
    return PresetDropDown->currentIndex() + 1;
}

void TMainForm::setPresetListEnabled(bool enabled)
{
    PresetDropDown->setEnabled(enabled);
}

void TMainForm::setBacklight(int position)
{
    const QSignalBlocker block(BacklightTrackBar);
    BacklightTrackBar->setValue(position);
}

int TMainForm::backlight() const
{
    return BacklightTrackBar->value();
}

void TMainForm::setBacklightEnabled(bool enabled)
{
    BacklightTrackBar->setEnabled(enabled);
}

void TMainForm::setGridWidget(QWidget* grid)
{
    if (grid_ == grid)
        return;
    if (grid_)
        gridLayout_->removeWidget(grid_);
    grid_ = grid;
    if (grid)
        gridLayout_->addWidget(grid);
}

} // namespace qv
