#include "main_form.h"

#include "dropped_files_form.h"
#include "file_type_icons.h"
#include "forwarding_action.h"
#include "status_field.h"
#include "platform/qt/program_settings.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace qv {

namespace {

constexpr int kBacklightMaximum = 7;
constexpr int kPresetListWidth = 165;
constexpr int kBacklightWidth = 64;

// Status bar fields, left to right, with their least widths; the file
// field takes what the others leave.
constexpr struct {
    const char* name;
    int minimumWidth;
} kStatusFields[] = {
    {"lblFile", 60}, {"lblMessage", 100}, {"lblOffset", 70}, {"lblConnection", 95}, {"lblSerial", 120}, {"lblPort", 50},
};

QKeySequence ctrl(int key) { return QKeySequence(Qt::CTRL | Qt::Key(key)); }

} // namespace

QAction* TMainForm::addEntry(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut)
{
    return addEntry(menu, new QAction(caption, menu), name, shortcut);
}

QAction* TMainForm::addEntry(QMenu* menu, QAction* entry, const char* name, const QKeySequence& shortcut)
{
    entry->setObjectName(name);
    if (!shortcut.isEmpty())
        entry->setShortcut(shortcut);
    menu->addAction(entry);
    return entry;
}

QAction* TMainForm::addCommand(QMenu* menu, const char* name, const QString& caption, void (TMainForm::*signal)(),
                               const QKeySequence& shortcut)
{
    QAction* entry = addEntry(menu, new ForwardingAction(caption, this, signal, menu), name, shortcut);
    connect(entry, &QAction::triggered, this, signal);
    return entry;
}

void TMainForm::holdUnbuiltCommands()
{
    for (ForwardingAction* entry : findChildren<ForwardingAction*>())
        entry->holdIfNotBuilt(notBuilt_);
}

void TMainForm::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildToolsMenu();
    buildMacroMenu();
    buildHelpMenu();
    // Entries whose command is not built yet say so.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        menu->setToolTipsVisible(true);
}

void TMainForm::buildFileMenu()
{
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("mnuFile");
    addCommand(file, "mnuOpen", "Open...", &TMainForm::openRequested, ctrl(Qt::Key_O));
    addCommand(file, "mnuSave", "Save", &TMainForm::saveRequested);
    addCommand(file, "mnuSaveAs", "Save As...", &TMainForm::saveAsRequested, ctrl(Qt::Key_S));
    addCommand(file, "mnuFileInfo", "File information...", &TMainForm::fileInfoRequested);
    file->addSeparator();

    mnuRemote = file->addMenu("Remote Control");
    mnuRemote->setObjectName("mnuRemote");
    mnuRemote->menuAction()->setObjectName("mnuRemoteControl");
    addCommand(mnuRemote, "mnuConnect", "Connect", &TMainForm::remoteConnectRequested,
               QKeySequence(Qt::SHIFT | Qt::Key_Escape));
    addCommand(mnuRemote, "mnuDisconnect", "Disconnect", &TMainForm::remoteDisconnectRequested,
               QKeySequence(Qt::Key_Escape));
    // The entries tick the state remote control is in.
    for (const char* name : {"mnuConnect", "mnuDisconnect"})
        action(name)->setCheckable(true);
    action("mnuDisconnect")->setChecked(true);
    addCommand(file, "mnuUpload", "Upload", &TMainForm::uploadRequested, ctrl(Qt::Key_U));
    addCommand(file, "mnuDownload", "Download", &TMainForm::downloadRequested, ctrl(Qt::Key_D));
    addCommand(file, "mnuRestart", "Restart", &TMainForm::restartRequested, ctrl(Qt::Key_I));
    mnuInterface = file->addMenu("Interface");
    mnuInterface->setObjectName("mnuInterface");
    file->addSeparator();

    mnuRecent = file->addMenu("Recent Files");
    mnuRecent->setObjectName("mnuRecent");
    for (int n = 1; n <= kRecentFileCount; ++n) {
        const QByteArray name = "mnuRecent" + QByteArray::number(n);
        mnuRecentFile[n - 1] = addEntry(mnuRecent, name.constData(), {}, ctrl(Qt::Key_0 + n));
        connect(mnuRecentFile[n - 1], &QAction::triggered, this, [this, n] { openRecentFile(n); });
    }
    connect(addEntry(file, "mnuDroppedFiles", "Dropped Files..."), &QAction::triggered, this, [this] {
                droppedFiles_->show();
                droppedFiles_->raise();
            });
    file->addSeparator();
    connect(addEntry(file, "mnuExit", "Exit"), &QAction::triggered, this, &QWidget::close);

    // Nothing to save, send or control until an image and an instrument
    // are there; identify and the document enable what applies.
    for (const char* name : {"mnuSave", "mnuSaveAs", "mnuUpload", "mnuDownload"})
        action(name)->setEnabled(false);
    mnuRemote->menuAction()->setEnabled(false);
    mnuRecent->menuAction()->setEnabled(false);
}

void TMainForm::buildEditMenu()
{
    QMenu* edit = menuBar()->addMenu("Edit");
    edit->setObjectName("mnuEdit");
    addCommand(edit, "mnuCopyLabels", "Copy Selected Labels", &TMainForm::copyLabelsRequested, ctrl(Qt::Key_C));
    addCommand(edit, "mnuPasteLabels", "Paste Labels", &TMainForm::pasteLabelsRequested, ctrl(Qt::Key_V));
    edit->addSeparator();
    addCommand(edit, "mnuCopyXPoints", "Copy Selected X-Points", &TMainForm::copyXPointsRequested,
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    addCommand(edit, "mnuPasteXPoints", "Paste X-Points", &TMainForm::pasteXPointsRequested,
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    // The grid enables them by its selection and the clipboard.
    for (QAction* a : edit->actions())
        a->setEnabled(false);
}

void TMainForm::buildToolsMenu()
{
    QMenu* tools = menuBar()->addMenu("Tools");
    tools->setObjectName("mnuTools");
    addCommand(tools, "mnuQVScale", "QV-Scale...", &TMainForm::qvScaleRequested);
    addCommand(tools, "mnuScreenGrab", "QV-ScreenGrab...", &TMainForm::screenGrabRequested);
    addCommand(tools, "mnuKeyboard", "Keyboard...", &TMainForm::keyboardRequested, ctrl(Qt::Key_K));
    tools->addSeparator();
    addCommand(tools, "mnuPresetOptions", "Preset Options...", &TMainForm::presetOptionsRequested);
    addCommand(tools, "mnuLCDOptions", "LCD Options...", &TMainForm::lcdOptionsRequested);
    addCommand(tools, "mnuLeqOptions", "Leq(m) Options...", &TMainForm::leqOptionsRequested);
    addCommand(tools, "mnuScaleOptions", "Scale Options...", &TMainForm::scaleOptionsRequested);
    addCommand(tools, "mnuLockCode", "Write Protect Lock Code...", &TMainForm::lockCodeRequested);
    addCommand(tools, "mnuDotLog", "DOT Log...", &TMainForm::dotLogRequested);
    addCommand(tools, "mnuMousePad", "Mouse  Pad...", &TMainForm::mousePadRequested)->setVisible(false);
    tools->addSeparator();
    QMenu* software = tools->addMenu("RVT Software");
    software->setObjectName("mnuRVTSoftware");
    addCommand(software, "mnuInstallSoftware", "Install Software", &TMainForm::installSoftwareRequested);
    tools->addSeparator();
    addCommand(tools, "mnuOptions", "Options...", &TMainForm::optionsRequested);

    for (const char* name : {"mnuPresetOptions", "mnuLCDOptions", "mnuLeqOptions", "mnuLockCode"})
        action(name)->setEnabled(false);
}

void TMainForm::buildMacroMenu()
{
    QMenu* macro = menuBar()->addMenu("Macro");
    macro->setObjectName("mnuMacro");
    macro->setToolTipsVisible(true);
    connect(macro, &QMenu::aboutToShow, this, &TMainForm::refreshMacroMenu);
    // The macro menu gives the items their captions.
    for (int item = 1; item <= kMacroItemCount; ++item) {
        const QByteArray name = "mnuMacro" + QByteArray::number(item);
        mnuMacroItem[item - 1] = addEntry(macro, name.constData(), kUnassignedCaption, ctrl(Qt::Key_F1 + item - 1));
        mnuMacroItem[item - 1]->setEnabled(false);
        connect(mnuMacroItem[item - 1], &QAction::triggered, this, [this, item] {
            const bool choosing = std::exchange(choosingMacro_, true);
            emit macroItemRequested(item);
            choosingMacro_ = choosing;
        });
    }
    macro->addSeparator();
    addCommand(macro, "mnuRunMacro", "Run Macro...", &TMainForm::runMacroRequested, ctrl(Qt::Key_F11));
    addCommand(macro, "mnuStopMacro", "Stop Macro", &TMainForm::stopMacroRequested, ctrl(Qt::Key_F12));
    addCommand(macro, "mnuSaveMacro", "Save Macro...", &TMainForm::saveMacroRequested);
    for (const char* name : {"mnuRunMacro", "mnuStopMacro", "mnuSaveMacro"})
        action(name)->setEnabled(false);
    macro->addSeparator();
    mnuGlobalHotkeys = addEntry(macro, "mnuGlobalHotkeys", "Enable the shortcuts in this menu to be global.");
    mnuGlobalHotkeys->setCheckable(true);
    connect(mnuGlobalHotkeys, &QAction::toggled, this, [this](bool on) {
        settings_.globalHotkeys = on;
        emit globalHotkeysToggled(on);
    });
}

void TMainForm::refreshMacroMenu()
{
    const MacroMenuState state = hooks_.macroMenuState();
    for (QAction* item : mnuMacroItem)
        item->setEnabled(state.items);
    action("mnuRunMacro")->setEnabled(state.run);
    action("mnuStopMacro")->setEnabled(state.stop);
    action("mnuSaveMacro")->setEnabled(state.save);
}

void TMainForm::buildHelpMenu()
{
    QMenu* help = menuBar()->addMenu("Help");
    help->setObjectName("mnuHelpMenu");
    addCommand(help, "mnuHelp", "Help", &TMainForm::helpRequested);
    addCommand(help, "mnuAbout", "About...", &TMainForm::aboutRequested);
}

void TMainForm::buildToolBar()
{
    ToolBar = addToolBar("Tools");
    ToolBar->setObjectName("ToolBar");
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(24, 24));
    ToolBar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    auto button = [this](const char* menuName, const char* buttonName, ToolGlyph glyph, const QString& hint) {
        QAction* a = action(menuName);
        a->setIcon(ToolbarIcon(glyph));
        a->setToolTip(hint);
        ToolBar->addAction(a);
        ToolBar->widgetForAction(a)->setObjectName(buttonName);
    };
    button("mnuOpen", "btnOpen", ToolGlyph::Open, "Open");
    button("mnuSave", "btnSave", ToolGlyph::Save, "Save");
    button("mnuSaveAs", "btnSaveAs", ToolGlyph::SaveAs, "Save As");
    ToolBar->addSeparator();

    actRemote = new ForwardingAction("Remote Control", this, &TMainForm::remoteToggled, this);
    actRemote->setIcon(ToolbarIcon(ToolGlyph::Remote));
    actRemote->setObjectName("actRemote");
    actRemote->setCheckable(true);
    actRemote->setEnabled(false);
    ToolBar->addAction(actRemote);
    ToolBar->widgetForAction(actRemote)->setObjectName("btnRemote");
    connect(actRemote, &QAction::toggled, this, &TMainForm::remoteToggled);

    button("mnuUpload", "btnUpload", ToolGlyph::Upload, "Upload");
    button("mnuDownload", "btnDownload", ToolGlyph::Download, "Download");
    button("mnuRestart", "btnRestart", ToolGlyph::Restart, "Restart");
    ToolBar->addSeparator();

    PresetDropDown = new QComboBox(ToolBar);
    PresetDropDown->setObjectName("PresetDropDown");
    PresetDropDown->setMinimumWidth(kPresetListWidth);
    PresetDropDown->setEnabled(false);
    PresetDropDown->setToolTip("Preset");
    ToolBar->addWidget(PresetDropDown);
    connect(PresetDropDown, &QComboBox::activated, this, [this](int index) { emit presetChosen(index + 1); });

    button("mnuPresetOptions", "btnPresetOptions", ToolGlyph::PresetOptions, "Preset Options");

    BacklightTrackBar = new QSlider(Qt::Horizontal, ToolBar);
    BacklightTrackBar->setObjectName("BacklightTrackBar");
    BacklightTrackBar->setRange(0, kBacklightMaximum);
    BacklightTrackBar->setPageStep(1);
    BacklightTrackBar->setTickPosition(QSlider::TicksBelow);
    BacklightTrackBar->setFixedWidth(kBacklightWidth);
    BacklightTrackBar->setToolTip("Backlight");
    BacklightTrackBar->setEnabled(false);
    ToolBar->addWidget(BacklightTrackBar);
    connect(BacklightTrackBar, &QSlider::valueChanged, this, &TMainForm::backlightChanged);
    ToolBar->addSeparator();

    button("mnuExit", "btnExit", ToolGlyph::Exit, "Exit");

    auto* spacer = new QWidget(ToolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar->addWidget(spacer);
    // The maker's web site, shown once the settings name it.
    auto* link = new QLabel(ToolBar);
    link->setObjectName("lblWebLink");
    link->setOpenExternalLinks(true);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setContentsMargins(4, 0, 6, 0);
    webLink_ = ToolBar->addWidget(link);
    showWebAddress({});
}

void TMainForm::showWebAddress(const QString& address)
{
    auto* link = findChild<QLabel*>("lblWebLink");
    const QString url = WebAddressUrl(address).toString();
    link->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                      .arg(url.toHtmlEscaped(), WebAddressCaption(address).toHtmlEscaped()));
    link->setToolTip(url);
    webLink_->setVisible(!address.isEmpty());
}

void TMainForm::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 6; ++i) {
        auto* label = new StatusField(i == int(MainField::File) ? Qt::ElideMiddle : Qt::ElideRight, bar);
        label->setObjectName(kStatusFields[i].name);
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        label->setMinimumWidth(kStatusFields[i].minimumWidth);
        bar->addWidget(label, i == int(MainField::File) ? 1 : 0);
        statusFields_[i] = label;
    }
    // Diagnostic buttons at the right, shown in debug mode only.
    auto diagnostic = [this, bar](const char* caption, const char* name, const char* buttonName,
                                  void (TMainForm::*signal)()) {
        auto* a = new ForwardingAction(caption, this, signal, this);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, signal);
        auto* button = new QToolButton(bar);
        button->setObjectName(buttonName);
        button->setDefaultAction(a);
        button->setAutoRaise(true);
        button->setVisible(false);
        bar->addPermanentWidget(button);
        return button;
    };
    btnDotLog = diagnostic("DotLog", "actDotLog", "btnDotLog", &TMainForm::dotLogRequested);
    btnDebug = diagnostic("Debug", "actDebug", "btnDebug", &TMainForm::debugListRequested);
    setField(MainField::Connection, "Not Connected");
    setField(MainField::Serial, "Serial No.: Unknown");
}

QList<QAction*> TMainForm::commandActions(MainCommand command) const
{
    switch (command) {
    case MainCommand::Upload: return {action("mnuUpload")};
    case MainCommand::Download: return {action("mnuDownload")};
    case MainCommand::Restart: return {action("mnuRestart")};
    case MainCommand::RemoteControl: return {mnuRemote->menuAction(), actRemote};
    case MainCommand::Save: return {action("mnuSave")};
    case MainCommand::SaveAs: return {action("mnuSaveAs")};
    case MainCommand::PresetOptions: return {action("mnuPresetOptions")};
    case MainCommand::LcdOptions: return {action("mnuLCDOptions")};
    case MainCommand::LeqOptions: return {action("mnuLeqOptions")};
    case MainCommand::LockCode: return {action("mnuLockCode")};
    }
    return {};
}

} // namespace qv
