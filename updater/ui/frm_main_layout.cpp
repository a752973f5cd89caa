// The controls of TfrmMain and where they stand.
#include "frm_main.h"

#include "platform/qt/display_text.h"
#include "updater/wizard_texts.h"

#include <QFontDatabase>
#include <QVBoxLayout>

namespace qv {

namespace {

constexpr int kMargin = 8;
constexpr int kGroupWidth = TfrmMain::kWidth - 2 * kMargin;
constexpr int kInfoGroupHeight = 63;
constexpr int kButtonPanelHeight = 46;
// Tops of the groups on the file selection page.
constexpr int kUpperTop = 0;
constexpr int kMiddleTop = 60;
constexpr int kLowerTop = 144;
// The flash read's fields, and the progress group below them.
constexpr int kFlashGroupHeight = 128;
constexpr int kBelowFlashTop = kMiddleTop + kFlashGroupHeight + 4;
// The PRE page: the file's information tree, the status and the bar.
constexpr int kPresetGroupHeight = 238;

template <typename T>
T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QGroupBox* Group(QWidget* parent, const char* name, const char* title, int top, int height)
{
    auto* group = Named(new QGroupBox(QString::fromLatin1(title), parent), name);
    group->setGeometry(kMargin, top, kGroupWidth, height);
    return group;
}

QLabel* Label(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* label = Named(new QLabel(parent), name);
    label->setGeometry(geometry);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QProgressBar* Bar(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* bar = Named(new QProgressBar(parent), name);
    bar->setGeometry(geometry);
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    return bar;
}

QPushButton* PushButton(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* button = Named(new QPushButton(QString::fromLatin1(caption), parent), name);
    button->setGeometry(geometry);
    return button;
}

} // namespace

void TfrmMain::createControls()
{
    pnlBanner = new TBanner(this);
    createPortPanel();
    createStartPage();
    createFilePage();
    pnlSelfTest = Named(new QFrame(this), "pnlSelfTest");
    createButtonPanel();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlBanner);
    layout->addWidget(pnlPort);
    layout->addWidget(pnlStart, 1);
    layout->addWidget(pnlSelectFile, 1);
    layout->addWidget(pnlSelfTest, 1);
    layout->addWidget(pnlBtn);
    pnlSelectFile->hide();
    pnlSelfTest->hide();
    createTreeMenu();
}

void TfrmMain::createPortPanel()
{
    pnlPort = Named(new QFrame(this), "pnlPort");
    pnlPort->setFixedHeight(kPortPanelHigh);
    grpPort = Group(pnlPort, "grpPort", "Select Serial Port.", 4, 56);
    cbCPPort = Named(new QComboBox(grpPort), "cbCPPort");
    cbCPPort->setGeometry(10, 22, 176, 24);
    btnRefresh = PushButton(grpPort, "btnRefresh", "Refresh Ports", {194, 21, 100, 26});
    btnFind = PushButton(grpPort, "btnFind", "Find Instrument", {300, 21, 112, 26});
    btnOpen = PushButton(grpPort, "btnOpen", "Connect", {418, 21, 99, 26});
    grpInfo = Group(pnlPort, "grpInfo", "", kPortPanelHigh - kInfoGroupHeight - 4, kInfoGroupHeight);
    lblInfo = Label(grpInfo, "lblInfo", {10, 8, kGroupWidth - 20, kInfoGroupHeight - 12});
    lblInfo->setWordWrap(true);
    lblInfo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TfrmMain::createStartPage()
{
    pnlStart = Named(new QFrame(this), "pnlStart");
    auto* group = Named(new QGroupBox(QStringLiteral("System Information."), pnlStart), "grpSysInfo");
    sysTree = Named(new QTreeWidget(group), "sysTree");
    sysTree->setHeaderHidden(true);
    sysTree->setToolTip(QStringLiteral("Right-click for more options..."));
    sysTree->setContextMenuPolicy(Qt::CustomContextMenu);
    sysTree->setRootIsDecorated(true);
    auto* inner = new QVBoxLayout(group);
    inner->setContentsMargins(6, 4, 6, 6);
    inner->addWidget(sysTree);
    auto* outer = new QVBoxLayout(pnlStart);
    outer->setContentsMargins(kMargin, 0, kMargin, 4);
    outer->addWidget(group);
}

void TfrmMain::createFilePage()
{
    pnlSelectFile = Named(new QFrame(this), "pnlSelectFile");
    grpFile = Group(pnlSelectFile, "grpFile", "Select File.", kUpperTop, 56);
    editFilename = Named(new QLineEdit(grpFile), "editFilename");
    editFilename->setGeometry(10, 22, kGroupWidth - 68, 24);
    btnFileName = PushButton(grpFile, "btnFileName", ". . .", {kGroupWidth - 52, 21, 42, 26});
    createFileGroups();
    createPresetGroup();
    createBackupGroups();
    createHelpGroup();
    createFlashGroup();
    grpModuleSetup = new TModuleSetupGroup(pnlSelectFile);
    grpModuleSetup->setGeometry(kMargin, kUpperTop, kGroupWidth, 200);
}

void TfrmMain::createFileGroups()
{
    grpFileProgress = Group(pnlSelectFile, "grpFileProgress", "Progress.", kMiddleTop, 78);
    pnlInfo = Label(grpFileProgress, "pnlInfo", {10, 20, kGroupWidth - 20, 20});
    ProgressBar = Bar(grpFileProgress, "ProgressBar", {10, 46, kGroupWidth - 90, 18});
    pnlTime = Label(grpFileProgress, "pnlTime", {kGroupWidth - 72, 45, 62, 20});
    pnlTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmMain::createPresetGroup()
{
    grpPreset = Group(pnlSelectFile, "grpPreset", "Instrument Configuration file.", kMiddleTop, kPresetGroupHeight);
    Label(grpPreset, "lblPresetFile", {10, 18, kGroupWidth - 20, 18})->setText(QStringLiteral("File Information."));
    PresetTree = Named(new QTreeWidget(grpPreset), "PresetTree");
    PresetTree->setGeometry(10, 38, kGroupWidth - 20, 140);
    PresetTree->setHeaderHidden(true);
    PresetTree->setSelectionMode(QAbstractItemView::NoSelection);
    PresetTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pnlPresetInfo = Label(grpPreset, "pnlPresetInfo", {10, 184, kGroupWidth - 20, 20});
    pnlPresetInfo->setText(QStringLiteral("Press Next to start the Update."));
    ProgressBarPreset = Bar(grpPreset, "ProgressBarPreset", {10, 210, kGroupWidth - 90, 18});
    pnlPresetPercent = Label(grpPreset, "pnlPresetPercent", {kGroupWidth - 72, 209, 62, 20});
    pnlPresetPercent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pnlPresetPercent->setText(QStringLiteral("0 %"));
}

void TfrmMain::createBackupGroups()
{
    grpCDPBackOld = Group(pnlSelectFile, "grpCDPBackOld", "Backup old software.", kMiddleTop, 80);
    chkBackup = Named(new QCheckBox(QStringLiteral("Create a backup of the software in the Instrument."),
                                    grpCDPBackOld),
                      "chkBackup");
    chkBackup->setGeometry(10, 20, kGroupWidth - 20, 20);
    editBackupFileName = Named(new QLineEdit(grpCDPBackOld), "editBackupFileName");
    editBackupFileName->setGeometry(10, 46, kGroupWidth - 68, 24);
    btnBackup = PushButton(grpCDPBackOld, "btnBackup", ". . .", {kGroupWidth - 52, 45, 42, 26});

    grpCDPProgress = Group(pnlSelectFile, "grpCDPProgress", "Progress.", kLowerTop, 112);
    lblCDPInfo = Label(grpCDPProgress, "lblCDPInfo", {10, 18, kGroupWidth - 20, 18});
    ItemDescription = Label(grpCDPProgress, "ItemDescription", {10, 36, kGroupWidth - 20, 18});
    ItemProgress = Bar(grpCDPProgress, "ItemProgress", {10, 56, kGroupWidth - 90, 14});
    pnlCDPItemPercent = Label(grpCDPProgress, "pnlCDPItemPercent", {kGroupWidth - 72, 53, 62, 20});
    Label(grpCDPProgress, "lblOverall", {10, 72, 200, 16})->setText(QStringLiteral("Overall Progress."));
    OverallProgress = Bar(grpCDPProgress, "OverallProgress", {10, 90, kGroupWidth - 90, 14});
    pnlCDPOverallPercent = Label(grpCDPProgress, "pnlCDPOverallPercent", {kGroupWidth - 72, 87, 62, 20});
    for (QLabel* percent : {pnlCDPItemPercent, pnlCDPOverallPercent})
        percent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmMain::createFlashGroup()
{
    grpRDMBFlash = Group(pnlSelectFile, "grpRDMBFlash", "Read Mainboard Flash.", kMiddleTop, kFlashGroupHeight);
    const auto caption = [this](const char* name, const char* text, const QRect& geometry) {
        Label(grpRDMBFlash, name, geometry)->setText(QString::fromLatin1(text));
    };
    const auto field = [this](const char* name, const QRect& geometry) {
        auto* edit = Named(new QLineEdit(grpRDMBFlash), name);
        edit->setGeometry(geometry);
        return edit;
    };
    caption("lblFlashFile", "Destination File.:", {10, 24, 106, 18});
    txtFlashFile = field("txtFlashFile", {120, 21, kGroupWidth - 182, 24});
    btnRDMBFlashFile = PushButton(grpRDMBFlash, "btnRDMBFlashFile", ". . .", {kGroupWidth - 52, 20, 42, 26});
    caption("lblFlashAddr", "Start Address.:", {10, 54, 106, 18});
    txtFlashAddr = field("txtFlashAddr", {120, 51, 90, 24});
    txtFlashAddr->setText(QStringLiteral("0"));
    caption("lblFlashSectorCount", "Sector Count.:", {228, 54, 92, 18});
    txtFlashSectorCount = field("txtFlashSectorCount", {322, 51, 70, 24});
    txtFlashSectorCount->setText(QStringLiteral("2048"));
    chkRDMBFlash = Named(new QCheckBox(QStringLiteral("Fast Mode."), grpRDMBFlash), "chkRDMBFlash");
    chkRDMBFlash->setGeometry(408, 53, kGroupWidth - 418, 20);
    pnlRDMBFlash = Label(grpRDMBFlash, "pnlRDMBFlash", {10, 82, kGroupWidth - 20, 18});
    progressRDMBFlash = Bar(grpRDMBFlash, "progressRDMBFlash", {10, 104, kGroupWidth - 90, 14});
    pnlRDMBFlashPercent = Label(grpRDMBFlash, "pnlRDMBFlashPercent", {kGroupWidth - 72, 101, 62, 20});
    pnlRDMBFlashPercent->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmMain::createHelpGroup()
{
    grpHelp = Group(pnlSelectFile, "grpHelp", "Help.", kMiddleTop, 236);
    lblHelpInfo = Label(grpHelp, "lblHelpInfo", {10, 18, kGroupWidth - 20, 66});
    lblHelpInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblHelpInfo->setText(displayText(kHelpIntroText));
    lblHelpCommands = Label(grpHelp, "lblHelpCommands", {10, 80, kGroupWidth - 20, 150});
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    lblHelpCommands->setFont(fixed);
    lblHelpCommands->setText(displayText(kHelpCommandsText));
    lblHelpCommands->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TfrmMain::createButtonPanel()
{
    pnlBtn = Named(new QFrame(this), "pnlBtn");
    pnlBtn->setFixedHeight(kButtonPanelHeight);
    lblVer = Label(pnlBtn, "lblVer", {kMargin, 2, 100, 16});
    bvlVer = Named(new QFrame(pnlBtn), "bvlVer");
    bvlVer->setFrameShape(QFrame::HLine);
    bvlVer->setFrameShadow(QFrame::Sunken);
    lblCheckUpdate = new TCheckUpdateLink(prompter_, programVersion_, updateCheck_, pnlBtn);
    lblCheckUpdate->setGeometry(kMargin, 22, 200, 18);
    btnAdvanced = PushButton(pnlBtn, "btnAdvanced", "Advanced", {kWidth - 270, 16, 80, 26});
    btnAdvanced->hide(); // never shown: its menu is reached otherwise
    btnNext = PushButton(pnlBtn, "btnNext", "Next >>", {kWidth - 182, 16, 84, 26});
    btnExit = PushButton(pnlBtn, "btnExit", "Exit", {kWidth - 92, 16, 84, 26});
}

void TfrmMain::layOutVersionLine()
{
    lblVer->adjustSize();
    // From 5 pixels right of the text to one pixel before the window's edge.
    const int left = lblVer->x() + lblVer->width() + 5;
    bvlVer->setGeometry(left, lblVer->y() + lblVer->height() / 2, std::max(0, width() - 1 - left), 2);
}

void TfrmMain::showGroups(unsigned groups)
{
    const bool port = groups & GroupPort;
    grpPort->setVisible(port);
    pnlPort->setFixedHeight(port ? kPortPanelHigh : kPortPanelLow);
    grpInfo->move(kMargin, pnlPort->height() - kInfoGroupHeight - 4);
    const bool start = groups & GroupStart;
    pnlStart->setVisible(start);
    pnlSelectFile->setVisible(!start);
    const std::pair<QGroupBox*, unsigned> pageGroups[] = {
        {grpFile, GroupFile},           {grpFileProgress, GroupFileProgress}, {grpHelp, GroupHelp},
        {grpCDPBackOld, GroupCdpBackup}, {grpCDPProgress, GroupCdpProgress},   {grpPreset, GroupPreset},
        {grpRDMBFlash, GroupFlashRead},  {grpModuleSetup, GroupModuleSetup},
    };
    for (auto [group, flag] : pageGroups)
        group->setVisible(groups & flag);
    // The flash read's fields come first; its progress goes below them.
    grpFileProgress->move(kMargin, (groups & GroupFlashRead) ? kBelowFlashTop : kMiddleTop);
}

} // namespace qv
