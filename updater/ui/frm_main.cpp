#include "frm_main.h"

#include "platform/qt/centre_window.h"
#include "platform/qt/display_text.h"
#include "updater/update_connection.h"
#include "updater/update_wizard.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

namespace qv {

TfrmMain::TfrmMain(Prompter& prompter, std::string programVersion, const UpdateCheckSettings& updateCheck,
                   QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      prompter_(prompter),
      programVersion_(std::move(programVersion)),
      updateCheck_(updateCheck),
      webOpener_([](const QString& address) { QDesktopServices::openUrl(QUrl(address)); })
{
    setObjectName(QStringLiteral("frmMain"));
    setFixedSize(kWidth, kHeight);
    setAcceptDrops(true);
    createControls();
    frmModuleSelect = new TfrmModuleSelect(this);
    frmRVTType = new TfrmRVTType(prompter_, this);
    tmrProgress = new QTimer(this);
    tmrProgress->setObjectName(QStringLiteral("tmrProgress"));
    tmrProgress->setInterval(kProgressDrainMs);
    connect(tmrProgress, &QTimer::timeout, this, &TfrmMain::tmrProgressTimer);

    const auto label = [](QLabel* l) {
        return std::make_unique<WidgetPanel>([l](const QString& t) { l->setText(t); }, [l] { return l->text(); });
    };
    panels_[WizardText::Info] = label(pnlInfo);
    panels_[WizardText::Time] = label(pnlTime);
    panels_[WizardText::CdpInfo] = label(lblCDPInfo);
    panels_[WizardText::ItemDescription] = label(ItemDescription);
    panels_[WizardText::ItemPercent] = label(pnlCDPItemPercent);
    panels_[WizardText::OverallPercent] = label(pnlCDPOverallPercent);
    panels_[WizardText::PresetInfo] = label(pnlPresetInfo);
    panels_[WizardText::PresetPercent] = label(pnlPresetPercent);
    const auto edit = [](QLineEdit* e) {
        return std::make_unique<WidgetPanel>([e](const QString& t) { e->setText(t); }, [e] { return e->text(); });
    };
    panels_[WizardText::BackupFileName] = edit(editBackupFileName);
    panels_[WizardText::FlashFile] = edit(txtFlashFile);
    panels_[WizardText::FlashAddress] = edit(txtFlashAddr);
    panels_[WizardText::FlashSectors] = edit(txtFlashSectorCount);
    panels_[WizardText::FlashStatus] = label(pnlRDMBFlash);
    panels_[WizardText::FlashPercent] = label(pnlRDMBFlashPercent);
    panels_[WizardText::ModuleStatus] = label(grpModuleSetup->statusLabel());
    bars_[WizardBar::Progress] = std::make_unique<QtProgress>(ProgressBar, pnlTime);
    bars_[WizardBar::Item] = std::make_unique<QtProgress>(ItemProgress, pnlCDPItemPercent);
    bars_[WizardBar::Overall] = std::make_unique<QtProgress>(OverallProgress, pnlCDPOverallPercent);
    bars_[WizardBar::Flash] = std::make_unique<QtProgress>(progressRDMBFlash, pnlRDMBFlashPercent);
    bars_[WizardBar::Preset] = std::make_unique<QtProgress>(ProgressBarPreset, pnlPresetPercent);
    bars_[WizardBar::Module] = std::make_unique<QtProgress>(grpModuleSetup->progressBar());
    bars_[WizardBar::Module]->setMaximum(TModuleSetupGroup::kSlots);
}

TfrmMain::~TfrmMain()
{
    setBusyCursor(false);
}

void TfrmMain::attach(UpdateConnection& connection, UpdateWizard& wizard, AdvancedMenu& advanced)
{
    connection_ = &connection;
    wizard_ = &wizard;
    advanced_ = &advanced;
    connectHandlers();
    createAdvancedMenu();
}

void TfrmMain::connectHandlers()
{
    connect(btnRefresh, &QPushButton::clicked, this, [this] { connection_->RefreshPorts(); });
    connect(btnFind, &QPushButton::clicked, this, [this] { connection_->btnFindClick(); });
    connect(btnOpen, &QPushButton::clicked, this, [this] { connection_->btnOpenClick(); });
    connect(cbCPPort, &QComboBox::activated, this, [this](int index) { connection_->cbCPPortChange(index); });
    connect(btnNext, &QPushButton::clicked, this, [this] { wizard_->btnNextClick(); });
    connect(btnExit, &QPushButton::clicked, this, [this] { wizard_->btnExitClick(); });
    connect(btnFileName, &QPushButton::clicked, this, [this] { wizard_->btnFileNameClick(); });
    connect(editFilename, &QLineEdit::textChanged, this,
            [this](const QString& text) { wizard_->editFilenameChange(text.toStdString()); });
    // A double click recognises the text again, as a change does.
    editFilename->installEventFilter(this);
    connect(chkBackup, &QCheckBox::clicked, this, [this] { wizard_->chkBackupClick(); });
    connect(btnBackup, &QPushButton::clicked, this, [this] { wizard_->btnBackupClick(); });
    connect(btnRDMBFlashFile, &QPushButton::clicked, this, [this] { wizard_->btnRDMBFlashFileClick(); });
    connect(pnlBanner, &TBanner::doubleClicked, this, [this] { connection_->OpenWebSite(); });
    connect(sysTree, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { mnuSysTreePopup->popup(sysTree->viewport()->mapToGlobal(at)); });
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &TfrmMain::CopyTreeToClipboard);
}

void TfrmMain::setTitle(const std::string& title)
{
    setWindowTitle(QString::fromStdString(title));
}

void TfrmMain::setVersionLine(const std::string& text)
{
    lblVer->setText(QString::fromStdString(text));
    layOutVersionLine();
}

void TfrmMain::setInfo(const std::string& text)
{
    lblInfo->setText(displayText(text));
}

void TfrmMain::setPorts(const std::vector<std::string>& ports)
{
    cbCPPort->clear();
    for (const std::string& port : ports)
        cbCPPort->addItem(QString::fromStdString(port));
}

void TfrmMain::selectPort(int index)
{
    cbCPPort->setCurrentIndex(index);
}

void TfrmMain::focusPortList()
{
    if (grpPort->isVisible())
        cbCPPort->setFocus();
}

QPushButton* TfrmMain::button(UpdateControl control) const
{
    switch (control) {
    case UpdateControl::Refresh:
        return btnRefresh;
    case UpdateControl::Find:
        return btnFind;
    case UpdateControl::Open:
        return btnOpen;
    case UpdateControl::Next:
        return btnNext;
    case UpdateControl::Exit:
        return btnExit;
    case UpdateControl::PortList:
        break;
    }
    return nullptr;
}

void TfrmMain::enable(UpdateControl control, bool enabled)
{
    if (control == UpdateControl::PortList)
        cbCPPort->setEnabled(enabled);
    else
        button(control)->setEnabled(enabled);
}

void TfrmMain::setCaption(UpdateControl control, const std::string& caption)
{
    if (QPushButton* b = button(control))
        b->setText(QString::fromStdString(caption));
}

void TfrmMain::setTag(UpdateControl control, int tag)
{
    tags_[control] = tag;
    if (QPushButton* b = button(control))
        b->setProperty("tag", tag);
}

int TfrmMain::tag(UpdateControl control) const
{
    const auto it = tags_.find(control);
    return it == tags_.end() ? 0 : it->second;
}

void TfrmMain::setBannerBusy(bool busy)
{
    if (busy)
        pnlBanner->startSpin(bannerMs_);
    else
        pnlBanner->stopSpin();
}

void TfrmMain::setBannerInterval(int ms)
{
    bannerMs_ = ms;
}

void TfrmMain::setBusyCursor(bool busy)
{
    if (busy == busyCursor_)
        return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TfrmMain::showStartPage()
{
    if (wizard_)
        wizard_->ShowPage("START");
}

void TfrmMain::openWebSite(const std::string& address)
{
    webOpener_(QString::fromStdString(address));
}

QWidget* TfrmMain::widget(WizardControl control) const
{
    switch (control) {
    case WizardControl::Filename:
        return editFilename;
    case WizardControl::FileName:
        return btnFileName;
    case WizardControl::Advanced:
        return btnAdvanced;
    case WizardControl::Backup:
        return chkBackup;
    case WizardControl::BackupFileName:
        return editBackupFileName;
    case WizardControl::BackupButton:
        return btnBackup;
    case WizardControl::FastMode:
        return chkRDMBFlash;
    case WizardControl::FlashRead:
        break;
    }
    return grpRDMBFlash;
}

void TfrmMain::enableWizard(WizardControl control, bool enabled)
{
    widget(control)->setEnabled(enabled);
}

void TfrmMain::setChecked(WizardControl control, bool checked)
{
    if (auto* box = qobject_cast<QCheckBox*>(widget(control)))
        box->setChecked(checked);
}

bool TfrmMain::checked(WizardControl control) const
{
    const auto* box = qobject_cast<const QCheckBox*>(widget(control));
    return box && box->isChecked();
}

StatusPanel& TfrmMain::panel(WizardText text)
{
    return *panels_.at(text);
}

std::string TfrmMain::text(WizardText text) const
{
    return panels_.at(text)->text();
}

Progress& TfrmMain::bar(WizardBar bar)
{
    return *bars_.at(bar);
}

void TfrmMain::setInputText(const std::string& text)
{
    const QSignalBlocker quiet(editFilename);
    editFilename->setText(QString::fromStdString(text));
}

std::string TfrmMain::inputText() const
{
    return editFilename->text().toStdString();
}

void TfrmMain::repaint()
{
    QWidget::repaint();
}

void TfrmMain::closeWindow()
{
    closedByProgram_ = true;
    close();
}

bool TfrmMain::selectModules(ModuleSelection& selection)
{
    return frmModuleSelect->ShowModal(selection);
}

void TfrmMain::setModuleTypes(const std::vector<ModuleTypeEntry>& entries)
{
    grpModuleSetup->setModuleTypes(entries);
}

std::optional<int> TfrmMain::chooseBiosType()
{
    CentreWindow(*frmRVTType, this);
    if (frmRVTType->exec() != QDialog::Accepted)
        return std::nullopt;
    return frmRVTType->chosenType();
}

void TfrmMain::startProgressDrain()
{
    for (WizardBar which : {WizardBar::Item, WizardBar::Overall}) {
        bars_[which]->setMaximum(kDrainSteps);
        bars_[which]->setPosition(kDrainSteps);
    }
    repaint();
    // The full bars stay a moment before they run down.
    drainPending_ = true;
    QTimer::singleShot(kDrainPauseMs, this, [this] {
        drainPending_ = false;
        tmrProgress->start();
    });
}

void TfrmMain::tmrProgressTimer()
{
    for (WizardBar which : {WizardBar::Item, WizardBar::Overall}) {
        Progress& bar = *bars_[which];
        if (bar.position() > 0)
            bar.setPosition(bar.position() - 1);
    }
    if (bars_[WizardBar::Item]->position() == 0)
        tmrProgress->stop();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == imgAdvancedClick && event->type() == QEvent::MouseButtonDblClick) {
        imgAdvancedClickDblClick();
        return true;
    }
    if (watched == editFilename && event->type() == QEvent::MouseButtonDblClick && wizard_)
        wizard_->editFilenameChange(editFilename->text().toStdString());
    return QWidget::eventFilter(watched, event);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // Closed from outside: the way out is Exit, which disconnects first.
    // While an operation runs (Exit disabled) or a search is to be
    // cancelled first, the window stays.
    if (!closedByProgram_ && wizard_ && btnExit->isEnabled() && tag(UpdateControl::Exit) != kExitCancelSearch) {
        setTag(UpdateControl::Exit, kExitProgram);
        wizard_->btnExitClick();
    }
    if (!closedByProgram_ && wizard_) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

void TfrmMain::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event)
{
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    event->acceptProposedAction();
    if (wizard_)
        wizard_->FilesDropped(paths);
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutVersionLine();
}

} // namespace qv
