#pragma once

#include "command_line.h"
#include "file_types.h"
#include "matrix/macro_menu.h"
#include "matrix/main_view.h"
#include "matrix_settings.h"
#include "platform/host/prompter.h"
#include "shell_texts.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QSlider;
class QToolBar;
class QVBoxLayout;

namespace qv {

class TDroppedFilesForm;
class TSplashForm;

// The interface chosen in the Interface menu.
struct InterfaceChoice {
    enum class Kind { None, Serial, Ext };
    Kind kind = Kind::None; // None: the saved port is missing
    QString name;           // the port name, or "EXT"
};

// What the shell hands to the rest of QV-Matrix. The defaults do nothing,
// so the window runs before everything is plugged in.
struct ShellHooks {
    // Start-up, called by startProgram in this order.
    std::function<void()> prepareGrid = [] {}; // grid cursors, default labels, empty grid
    std::function<void()> markIllegalCrosspoints = [] {};
    // "/DLM" and "/I": open the port and ConnectInstrument, no DOT query.
    std::function<bool()> connectForSwitch = [] { return false; };
    std::function<void()> restartInDownloadMode = [] {};
    std::function<void()> restartRVT = [] {};
    // identify(); true when a package installation follows (no BIOS-mode note).
    std::function<void(bool installationStarting)> identify = [](bool) {};
    std::function<InstrumentSummary()> instrument = [] { return InstrumentSummary{}; };

    // Open with its replacement guard; selects preset 1. True on success.
    std::function<bool(const QString& path)> openFile = [](const QString&) { return false; };
    // A recent-file entry: the guard and the reader, no "not valid" note and
    // no reordering of the list. Unset: openFile.
    std::function<bool(const QString& path)> openRecentFile;
    // The replacement guard and the installation window with the package.
    // The program always sets it; a shell on its own, without the
    // installation, answers a package with a statement that it cannot be
    // installed from here.
    std::function<void(const QString& path)> installPackage;

    // Remote control and macros.
    std::function<bool()> connectRemote = [] { return false; };
    std::function<void(const QString& path)> runMacro = [](const QString&) {};
    // What the Macro menu enables, asked when it opens and before one of
    // its shortcuts acts.
    std::function<MacroMenuState()> macroMenuState = [] { return MacroMenuState{}; };
    // A macro being played keeps hand-overs waiting.
    std::function<bool()> macroRunning = [] { return false; };

    // Closing: the disconnect question, then the save question.
    std::function<bool()> mayClose = [] { return true; };
    // First visible input and output of the grid; unset keeps the values read.
    std::function<QPoint()> gridPosition;
};

// QV-Matrix's main window: menus, toolbar, status bar, settings, recent
// files, the Interface menu, the start-up sequence, the hand-over, dropped
// files and the file types. Work that belongs elsewhere leaves through
// signals (menu commands) and hooks (flows that need an answer).
class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(Prompter& prompter, QWidget* parent = nullptr);
    ~TMainForm() override;

    ShellHooks& hooks() { return hooks_; }
    Prompter& prompter() { return prompter_; }

    // --- start-up and close ---
    // The start-up sequence from the main window's show on. False when the
    // process is to end ("/DLM", "/I", a package argument).
    bool startProgram(const MatrixCommandLine& commandLine, const std::vector<std::string>& ports);
    const MatrixCommandLine& commandLine() const { return commandLine_; }
    // While the splash shows the main window waits, disabled.
    void setSplash(TSplashForm* splash);
    TSplashForm* splash() const;
    // The disconnect and save questions, then writeSettings. False: stay.
    bool closeQuery();

    // --- settings ---
    QString settingsPath() const { return settingsPath_; }
    MatrixSettings& settings() { return settings_; }
    // Creates a missing file, reads every key, applies the window's place.
    void readSettings();
    // Every key but ExtCMD; ComInterface from the port field.
    bool writeSettings();

    // --- recent files ---
    void addRecentFile(const QString& path);
    void refreshRecentMenu();
    void openRecentFile(int n);

    // --- Interface menu ---
    void buildInterfaceMenu(const std::vector<std::string>& ports);
    InterfaceChoice currentInterface() const { return interface_; }
    bool portMissing() const { return interface_.kind == InterfaceChoice::Kind::None; }
    // The port's name for messages: the port field, else the saved name.
    QString portDisplayName() const;

    // --- files from outside ---
    // The receiving side of the hand-over.
    void handOver(const QString& path);
    // Hand-overs wait here until the window is idle.
    void queueHandOver(const QString& path);
    void dispatchDroppedFiles(const QStringList& names);
    TDroppedFilesForm* droppedFilesForm() const { return droppedFiles_; }
    // A macro to run once remote control has read the crosspoints.
    QString pendingMacro() const { return pendingMacro_; }
    void setPendingMacro(const QString& path);
    QString takePendingMacro();

    // --- Macro menu ---
    // Enables its entries by hooks().macroMenuState().
    void refreshMacroMenu();
    // The keys that change what choosing a macro item does: Shift from the
    // keyboard, Delete as last pressed or released.
    MacroMenu::Keys macroKeys() const;

    // --- file types ---
    bool isAssociated(const QString& ext) const;
    bool setAssociation(const QString& ext, bool on);
    FileTypeRegistry& fileTypes() { return fileTypes_; }
    // The start-up check and its question; Yes opens the Options dialog.
    void checkFileAssociations();

    // --- status bar ---
    void setField(MainField field, const QString& text);
    QString field(MainField field) const;

    // --- commands ---
    // Entries and buttons whose signal nothing receives stay disabled from
    // here on, saying they are not available yet: their commands are not
    // built. Run by startProgram, once the program has connected its parts.
    void holdUnbuiltCommands();
    void enable(MainCommand command, bool enabled);
    bool commandEnabled(MainCommand command) const;
    // Any menu entry by its object name ("mnuCopyLabels", "mnuStopMacro").
    QAction* action(const QString& objectName) const;
    // Macro menu items 1 to 10.
    QAction* macroAction(int item) const;
    void setRemoteConnected(bool connected);
    bool remoteConnected() const { return remoteConnected_; }
    bool remoteMenuEnabled() const;
    // Debug mode shows the mouse pad entry (for good) and the "DotLog" and
    // "Debug" buttons (while it is on).
    void setMousePadVisible(bool visible);
    void setDiagnosticButtonsVisible(bool visible);
    // The toolbar's link to the maker's web site; hidden while empty.
    void showWebAddress(const QString& address);

    // --- toolbar controls ---
    // "Preset n - name" entries; preset numbers count from 1.
    void setPresetNames(const QStringList& names);
    void clearPresetList();
    void selectPreset(int preset);
    int selectedPreset() const;
    void setPresetListEnabled(bool enabled);
    void setBacklight(int position);
    int backlight() const;
    void setBacklightEnabled(bool enabled);

    // --- central area ---
    // The routing grid; arrow keys and the space bar go to it.
    void setGridWidget(QWidget* grid);
    QWidget* gridWidget() const { return grid_; }

signals:
    void openRequested();
    void saveRequested();
    void saveAsRequested();
    void fileInfoRequested();
    void remoteConnectRequested();
    void remoteDisconnectRequested();
    // The toolbar's remote button pressed (true) or released (false).
    void remoteToggled(bool pressed);
    void uploadRequested();
    void downloadRequested();
    void restartRequested();
    // A later choice in the Interface menu: a port name or "EXT". Close the
    // port and, for a port, identify again.
    void interfaceChosen(const QString& name);

    void copyLabelsRequested();
    void pasteLabelsRequested();
    void copyXPointsRequested();
    void pasteXPointsRequested();

    void qvScaleRequested();
    void screenGrabRequested();
    void keyboardRequested();
    void presetOptionsRequested();
    void lcdOptionsRequested();
    void leqOptionsRequested();
    void scaleOptionsRequested();
    void lockCodeRequested();
    void mousePadRequested();
    // The window of received and sent DOT lines.
    void dotLogRequested();
    // The debug list of address tables.
    void debugListRequested();
    void installSoftwareRequested();
    void optionsRequested();

    // Macro menu: items 1 to 10, run, stop, save, and the global toggle.
    void macroItemRequested(int item);
    void runMacroRequested();
    void stopMacroRequested();
    void saveMacroRequested();
    void globalHotkeysToggled(bool global);
    void pendingMacroChanged();
    // readSettings has read the file (the macro assignments among it).
    void settingsRead();

    void helpRequested();
    void aboutRequested();

    void presetChosen(int preset);
    // Remote control shown as connected (true) or not.
    void remoteConnectedShown(bool connected);
    void backlightChanged(int position);
    // Shift+F1 .. Shift+F11 during remote control.
    void parameterKeyPressed(int key);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // main_form_menus.cpp
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildToolsMenu();
    void buildMacroMenu();
    void buildHelpMenu();
    void buildToolBar();
    void buildStatusBar();
    QAction* addEntry(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {});
    QAction* addEntry(QMenu* menu, QAction* entry, const char* name, const QKeySequence& shortcut = {});
    // An entry that hands its command on as `signal`.
    QAction* addCommand(QMenu* menu, const char* name, const QString& caption, void (TMainForm::*signal)(),
                        const QKeySequence& shortcut = {});
    QList<QAction*> commandActions(MainCommand command) const;

    // main_form_startup.cpp
    void commandLineStep(const QString& path);
    bool runSwitches();
    bool startPackage();
    void applyWindowSettings(const WindowSettings& window);
    void holdForSplash();

    // main_form_interface.cpp
    void chooseInterface(QAction* entry);
    void applyInterface(const InterfaceChoice& choice);

    // main_form_files.cpp
    void dispatchFile(const QString& path);
    void offerMacro(const QString& path);
    void offerPackage(const QString& path);
    void drainHandOvers();
    bool busy() const;
    void bringToFront();

    // main_form_keys.cpp
    bool handleKey(QWidget* target, QKeyEvent* event);
    void trackDeleteKey(const QEvent* event);

    Prompter& prompter_;
    ShellHooks hooks_;
    MatrixCommandLine commandLine_;
    QString settingsPath_;
    MatrixSettings settings_;
    FileTypeRegistry fileTypes_;
    InterfaceChoice interface_;
    QString pendingMacro_;
    QString pendingPackage_;
    QStringList handOvers_;
    QTimer handOverTimer_;
    int busy_ = 0;
    bool deleteHeld_ = false;
    // The help key rests while a macro item is chosen.
    bool choosingMacro_ = false;
    bool remoteConnected_ = false;
    bool remoteMenu_ = false; // the remote-control menu and button enabled
    QPointer<TSplashForm> splash_;
    QPointer<QWidget> grid_;

    QActionGroup* notBuilt_ = nullptr; // disabled: its entries stay disabled
    QMenu* mnuInterface = nullptr;
    QActionGroup* interfaceGroup_ = nullptr;
    QMenu* mnuRecent = nullptr;
    QAction* mnuRecentFile[kRecentFileCount] = {};
    QMenu* mnuRemote = nullptr;
    QAction* actRemote = nullptr;
    QAction* mnuGlobalHotkeys = nullptr;
    QAction* mnuMacroItem[kMacroItemCount] = {};
    QToolBar* ToolBar = nullptr;
    QAction* webLink_ = nullptr;
    QWidget* btnDotLog = nullptr;
    QWidget* btnDebug = nullptr;
    QComboBox* PresetDropDown = nullptr;
    QSlider* BacklightTrackBar = nullptr;
    QWidget* GridArea = nullptr;
    QVBoxLayout* gridLayout_ = nullptr;
    QLabel* statusFields_[6] = {};
    TDroppedFilesForm* droppedFiles_ = nullptr;
};

} // namespace qv
