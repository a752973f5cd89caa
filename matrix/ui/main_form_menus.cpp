#include "main_form.h"

#include "dropped_files_form.h"
#include "file_type_icons.h"
#include "status_field.h"
#include "web_site.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

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
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    return a;
}

void TMainForm::buildMenus()
{
    buildFileMenu();
    buildEditMenu();
    buildToolsMenu();
    buildMacroMenu();
    buildHelpMenu();
}

void TMainForm::buildFileMenu()
{
    QMenu* file = menuBar()->addMenu("File");
    file->setObjectName("mnuFile");
    connect(addEntry(file, "mnuOpen", "Open...", ctrl(Qt::Key_O)), &QAction::triggered, this,
            &TMainForm::openRequested);
    connect(addEntry(file, "mnuSave", "Save"), &QAction::triggered, this, &TMainForm::saveRequested);
    connect(addEntry(file, "mnuSaveAs", "Save As...", ctrl(Qt::Key_S)), &QAction::triggered, this,
            &TMainForm::saveAsRequested);
    connect(addEntry(file, "mnuFileInfo", "File information..."), &QAction::triggered, this,
            &TMainForm::fileInfoRequested);
    file->addSeparator();

    mnuRemote = file->addMenu("Remote Control");
    mnuRemote->setObjectName("mnuRemote");
    mnuRemote->menuAction()->setObjectName("mnuRemoteControl");
    connect(addEntry(mnuRemote, "mnuConnect", "Connect", QKeySequence(Qt::SHIFT | Qt::Key_Escape)),
            &QAction::triggered, this, &TMainForm::remoteConnectRequested);
    connect(addEntry(mnuRemote, "mnuDisconnect", "Disconnect", QKeySequence(Qt::Key_Escape)), &QAction::triggered,
            this, &TMainForm::remoteDisconnectRequested);
    // The entries tick the state remote control is in.
    for (const char* name : {"mnuConnect", "mnuDisconnect"})
        action(name)->setCheckable(true);
    action("mnuDisconnect")->setChecked(true);
    connect(addEntry(file, "mnuUpload", "Upload", ctrl(Qt::Key_U)), &QAction::triggered, this,
            &TMainForm::uploadRequested);
    connect(addEntry(file, "mnuDownload", "Download", ctrl(Qt::Key_D)), &QAction::triggered, this,
            &TMainForm::downloadRequested);
    connect(addEntry(file, "mnuRestart", "Restart", ctrl(Qt::Key_I)), &QAction::triggered, this,
            &TMainForm::restartRequested);
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
    connect(addEntry(edit, "mnuCopyLabels", "Copy Selected Labels", ctrl(Qt::Key_C)), &QAction::triggered, this,
            &TMainForm::copyLabelsRequested);
    connect(addEntry(edit, "mnuPasteLabels", "Paste Labels", ctrl(Qt::Key_V)), &QAction::triggered, this,
            &TMainForm::pasteLabelsRequested);
    edit->addSeparator();
    connect(addEntry(edit, "mnuCopyXPoints", "Copy Selected X-Points", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)),
            &QAction::triggered, this, &TMainForm::copyXPointsRequested);
    connect(addEntry(edit, "mnuPasteXPoints", "Paste X-Points", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)),
            &QAction::triggered, this, &TMainForm::pasteXPointsRequested);
    // The grid enables them by its selection and the clipboard.
    for (QAction* a : edit->actions())
        a->setEnabled(false);
}

void TMainForm::buildToolsMenu()
{
    QMenu* tools = menuBar()->addMenu("Tools");
    tools->setObjectName("mnuTools");
    connect(addEntry(tools, "mnuQVScale", "QV-Scale..."), &QAction::triggered, this, &TMainForm::qvScaleRequested);
    connect(addEntry(tools, "mnuScreenGrab", "QV-ScreenGrab..."), &QAction::triggered, this,
            &TMainForm::screenGrabRequested);
    connect(addEntry(tools, "mnuKeyboard", "Keyboard...", ctrl(Qt::Key_K)), &QAction::triggered, this,
            &TMainForm::keyboardRequested);
    tools->addSeparator();
    connect(addEntry(tools, "mnuPresetOptions", "Preset Options..."), &QAction::triggered, this,
            &TMainForm::presetOptionsRequested);
    connect(addEntry(tools, "mnuLCDOptions", "LCD Options..."), &QAction::triggered, this,
            &TMainForm::lcdOptionsRequested);
    connect(addEntry(tools, "mnuLeqOptions", "Leq(m) Options..."), &QAction::triggered, this,
            &TMainForm::leqOptionsRequested);
    connect(addEntry(tools, "mnuScaleOptions", "Scale Options..."), &QAction::triggered, this,
            &TMainForm::scaleOptionsRequested);
    connect(addEntry(tools, "mnuLockCode", "Write Protect Lock Code..."), &QAction::triggered, this,
            &TMainForm::lockCodeRequested);
    connect(addEntry(tools, "mnuDotLog", "DOT Log..."), &QAction::triggered, this, &TMainForm::dotLogRequested);
    QAction* mousePad = addEntry(tools, "mnuMousePad", "Mouse  Pad...");
    mousePad->setVisible(false);
    connect(mousePad, &QAction::triggered, this, &TMainForm::mousePadRequested);
    tools->addSeparator();
    QMenu* software = tools->addMenu("RVT Software");
    software->setObjectName("mnuRVTSoftware");
    connect(addEntry(software, "mnuInstallSoftware", "Install Software"), &QAction::triggered, this,
            &TMainForm::installSoftwareRequested);
    tools->addSeparator();
    connect(addEntry(tools, "mnuOptions", "Options..."), &QAction::triggered, this, &TMainForm::optionsRequested);

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
    connect(addEntry(macro, "mnuRunMacro", "Run Macro...", ctrl(Qt::Key_F11)), &QAction::triggered, this,
            &TMainForm::runMacroRequested);
    connect(addEntry(macro, "mnuStopMacro", "Stop Macro", ctrl(Qt::Key_F12)), &QAction::triggered, this,
            &TMainForm::stopMacroRequested);
    connect(addEntry(macro, "mnuSaveMacro", "Save Macro..."), &QAction::triggered, this,
            &TMainForm::saveMacroRequested);
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
    connect(addEntry(help, "mnuHelp", "Help"), &QAction::triggered, this, &TMainForm::helpRequested);
    connect(addEntry(help, "mnuAbout", "About..."), &QAction::triggered, this, &TMainForm::aboutRequested);
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

    actRemote = new QAction(ToolbarIcon(ToolGlyph::Remote), "Remote Control", this);
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
    auto* link =
        new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(kWebSiteUrl, QUrl(kWebSiteUrl).host()), ToolBar);
    link->setObjectName("lblWebLink");
    link->setToolTip(kWebSiteUrl);
    link->setOpenExternalLinks(true);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setContentsMargins(4, 0, 6, 0);
    ToolBar->addWidget(link);
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
