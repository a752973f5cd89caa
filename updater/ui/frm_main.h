#pragma once

#include "advanced_popup.h"
#include "banner.h"
#include "check_update_link.h"
#include "frm_module_select.h"
#include "module_setup_group.h"
#include "frm_rvt_type.h"
#include "platform/host/prompter.h"
#include "platform/qt/qt_progress.h"
#include "updater/status_tree.h"
#include "updater/wizard_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace qv {

class UpdateConnection;
class UpdateWizard;

// A one-line text of the window as the core writes it.
class WidgetPanel : public StatusPanel {
public:
    WidgetPanel(std::function<void(const QString&)> set, std::function<QString()> get)
        : set_(std::move(set)), get_(std::move(get))
    {
    }
    void setText(const std::string& text) override { set_(QString::fromStdString(text)); }
    std::string text() const { return get_().toStdString(); }

private:
    std::function<void(const QString&)> set_;
    std::function<QString()> get_;
};

// QV-Update's one window: a borderless wizard with the banner, the port
// panel, the start page with the system information, the file selection
// pages and the navigation buttons. Discovery, connection and the wizard's
// flow live in the core; this class shows what they say and hands them the
// user's clicks.
class TfrmMain : public QWidget, public WizardView {
    Q_OBJECT

public:
    static constexpr int kWidth = 543;
    static constexpr int kHeight = 500;
    static constexpr int kPortPanelHigh = 132;
    static constexpr int kPortPanelLow = 75;
    // tmrProgress: both package bars at 100 of 100, a pause, then one step
    // down a tick.
    static constexpr int kProgressDrainMs = 4;
    static constexpr int kDrainPauseMs = 500;
    static constexpr int kDrainSteps = 100;

    // The hidden spot of the advanced menu, in the window's top-left corner.
    static constexpr int kHiddenSpot = 17;

    TfrmMain(Prompter& prompter, std::string programVersion, const UpdateCheckSettings& updateCheck,
             QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The core parts the buttons drive; set once, before the window shows.
    void attach(UpdateConnection& connection, UpdateWizard& wizard, AdvancedMenu& advanced);
    // How the maker's web site is opened (the desktop's browser by default).
    void setWebOpener(std::function<void(const QString&)> opener) { webOpener_ = std::move(opener); }

    // UpdateView.
    void setTitle(const std::string& title) override;
    void setVersionLine(const std::string& text) override;
    void setInfo(const std::string& text) override;
    void showStatusTree(const StatusTree& tree, bool scrollToEnd) override;
    void setPorts(const std::vector<std::string>& ports) override;
    void selectPort(int index) override;
    void focusPortList() override;
    void enable(UpdateControl control, bool enabled) override;
    void setCaption(UpdateControl control, const std::string& caption) override;
    void setTag(UpdateControl control, int tag) override;
    void setBannerBusy(bool busy) override;
    void setBusyCursor(bool busy) override;
    void showStartPage() override;
    void openWebSite(const std::string& address) override;

    // WizardView.
    void showGroups(unsigned groups) override;
    int tag(UpdateControl control) const override;
    void enableWizard(WizardControl control, bool enabled) override;
    void setChecked(WizardControl control, bool checked) override;
    bool checked(WizardControl control) const override;
    StatusPanel& panel(WizardText text) override;
    std::string text(WizardText text) const override;
    Progress& bar(WizardBar bar) override;
    void showPresetTree(const StatusTree& tree) override;
    void setInputText(const std::string& text) override;
    std::string inputText() const override;
    void repaint() override;
    void setBannerInterval(int ms) override;
    void closeWindow() override;
    bool selectModules(ModuleSelection& selection) override;
    void setModuleTypes(const std::vector<ModuleTypeEntry>& entries) override;
    std::optional<int> chooseBiosType() override;
    void startProgressDrain() override;

    // The module selection and BIOS-mode type dialogs, made with the window.
    TfrmModuleSelect& moduleSelectDialog() const { return *frmModuleSelect; }
    TfrmRVTType& rvtTypeDialog() const { return *frmRVTType; }
    // The package progress drain is running.
    bool draining() const { return tmrProgress->isActive() || drainPending_; }

    // What sysTree shows, and its context menu's commands.
    const StatusTree& statusTree() const { return tree_; }
    QMenu* sysTreeMenu() const { return mnuSysTreePopup; }
    void mnuExpandAllClick();
    void mnuCollapseAllClick();
    void mnuSaveInfoClick();
    // Ctrl+C: the tree as text on the clipboard.
    void CopyTreeToClipboard();

    TBanner* banner() const { return pnlBanner; }
    TAdvancedMenu* advancedMenu() const { return mnuPop; }
    // The advanced menu's hidden spot was double-clicked; the banner was right-clicked.
    void imgAdvancedClickDblClick();
    void pnlBannerContextPopup(const QPoint& globalPos);
    bool closedByProgram() const { return closedByProgram_; }

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void createPortPanel();
    void createStartPage();
    void createFilePage();
    void createFileGroups();
    void createPresetGroup();
    void createBackupGroups();
    void createHelpGroup();
    void createFlashGroup();
    void createButtonPanel();
    void createTreeMenu();
    void layOutVersionLine();
    void connectHandlers();
    void createAdvancedMenu();
    QPushButton* button(UpdateControl control) const;
    QWidget* widget(WizardControl control) const;
    void fillTree();
    void tmrProgressTimer();

    Prompter& prompter_;
    std::string programVersion_;
    UpdateCheckSettings updateCheck_;
    UpdateConnection* connection_ = nullptr;
    UpdateWizard* wizard_ = nullptr;
    AdvancedMenu* advanced_ = nullptr;
    std::function<void(const QString&)> webOpener_;
    StatusTree tree_;
    std::map<UpdateControl, int> tags_;
    bool busyCursor_ = false;
    int bannerMs_ = 150;
    bool closedByProgram_ = false;

    // Controls; their object names are the names the tests look for.
    TBanner* pnlBanner = nullptr;
    QFrame* pnlPort = nullptr;
    QGroupBox* grpPort = nullptr;
    QComboBox* cbCPPort = nullptr;
    QPushButton* btnRefresh = nullptr;
    QPushButton* btnFind = nullptr;
    QPushButton* btnOpen = nullptr;
    QGroupBox* grpInfo = nullptr;
    QLabel* lblInfo = nullptr;

    QFrame* pnlStart = nullptr;
    QTreeWidget* sysTree = nullptr;
    QMenu* mnuSysTreePopup = nullptr;
    QFrame* pnlSelectFile = nullptr;
    QFrame* pnlSelfTest = nullptr;
    QGroupBox* grpFile = nullptr;
    QLineEdit* editFilename = nullptr;
    QPushButton* btnFileName = nullptr;
    QGroupBox* grpFileProgress = nullptr;
    QLabel* pnlInfo = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QLabel* pnlTime = nullptr;
    QGroupBox* grpPreset = nullptr;
    QTreeWidget* PresetTree = nullptr;
    QLabel* pnlPresetInfo = nullptr;
    QProgressBar* ProgressBarPreset = nullptr;
    QLabel* pnlPresetPercent = nullptr;
    QGroupBox* grpCDPBackOld = nullptr;
    QCheckBox* chkBackup = nullptr;
    QLineEdit* editBackupFileName = nullptr;
    QPushButton* btnBackup = nullptr;
    QGroupBox* grpCDPProgress = nullptr;
    QLabel* lblCDPInfo = nullptr;
    QLabel* ItemDescription = nullptr;
    QProgressBar* ItemProgress = nullptr;
    QLabel* pnlCDPItemPercent = nullptr;
    QProgressBar* OverallProgress = nullptr;
    QLabel* pnlCDPOverallPercent = nullptr;
    QGroupBox* grpHelp = nullptr;
    QLabel* lblHelpInfo = nullptr;
    QLabel* lblHelpCommands = nullptr;
    QGroupBox* grpRDMBFlash = nullptr;
    QLineEdit* txtFlashFile = nullptr;
    QPushButton* btnRDMBFlashFile = nullptr;
    QLineEdit* txtFlashAddr = nullptr;
    QLineEdit* txtFlashSectorCount = nullptr;
    QCheckBox* chkRDMBFlash = nullptr;
    QLabel* pnlRDMBFlash = nullptr;
    QProgressBar* progressRDMBFlash = nullptr;
    QLabel* pnlRDMBFlashPercent = nullptr;
    TModuleSetupGroup* grpModuleSetup = nullptr;

    QFrame* pnlBtn = nullptr;
    QLabel* lblVer = nullptr;
    QFrame* bvlVer = nullptr;
    TCheckUpdateLink* lblCheckUpdate = nullptr;
    QPushButton* btnAdvanced = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnExit = nullptr;
    TfrmModuleSelect* frmModuleSelect = nullptr;
    TAdvancedMenu* mnuPop = nullptr;
    QWidget* imgAdvancedClick = nullptr;
    TfrmRVTType* frmRVTType = nullptr;
    QTimer* tmrProgress = nullptr;
    bool drainPending_ = false;

    std::map<WizardText, std::unique_ptr<WidgetPanel>> panels_;
    std::map<WizardBar, std::unique_ptr<QtProgress>> bars_;
};

} // namespace qv
