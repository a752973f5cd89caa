#pragma once

#include "config/config_image.h"
#include "hand_over.h"
#include "macro_wiring.h"
#include "option_dialogs.h"
#include "scale_editor_wiring.h"
#include "link/instrument_record.h"
#include "main_form_view.h"
#include "matrix/config_document.h"
#include "matrix/dot_receiver.h"
#include "matrix/matrix_connection.h"
#include "matrix/remote_control.h"
#include "matrix/remote_timer.h"
#include "matrix/ui/dot_log_form.h"
#include "matrix/ui/matrix_grid.h"
#include "matrix/ui/qt_external_program.h"
#include "matrix/ui/trs232_driver.h"
#include "options/debug_mode.h"
#include "options/ui/about_form.h"
#include "options/ui/debug_form.h"
#include "options/ui/file_info_form.h"
#include "options/ui/keyboard_form.h"
#include "options/ui/mouse_pad_form.h"
#include "options/ui/options_form.h"
#include "platform/qt/qt_event_pump.h"
#include "matrix/ui/command_line.h"
#include "matrix/ui/main_form.h"
#include "matrix/ui/splash_form.h"
#include "platform/qt/qt_prompter.h"
#include "platform/qt/routed_serial_port.h"
#include "matrix/ui/rvt_type_form.h"
#include "service/ui/install_form.h"
#include "service/ui/scg_form.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

namespace qv {

// The help pages lie beside the program, installed or in the build tree; a
// copy travels inside the program for when it runs on its own.
QUrl MatrixHelpPage();
inline constexpr char kMatrixHelpPage[] = "qrc:/help/qv-matrix.html";

// What the program runs on when it is not the real machine: a simulated
// instrument on virtual time, its port, and scripted dialogs.
struct MatrixServices {
    Clock& clock;
    EventPump& pump;
    Prompter& prompter;
    SerialPort& port;
    std::vector<std::string> portNames;
    // The transfer window's one-shot timer on the services' clock; unset,
    // the window's own timer runs it.
    StartTimer startTimer = {};
    // The gain dialog's auto update timer on the services' clock; unset, the
    // dialog's own timer runs it.
    StartTimer gainTimer = {};
    // The start-up splash's 50 ms timer, for tests that look at the splash;
    // unset, the program starts without one.
    StartTimer splashTimer = {};
};

// One run of QV-Matrix: the splash, the main window, the port and the
// hand-over server. The connection, the document, the grid and remote
// control are plugged into the main window's hooks in plugIn().
class MatrixApplication {
public:
    explicit MatrixApplication(MatrixCommandLine commandLine);
    MatrixApplication(MatrixCommandLine commandLine, MatrixServices services);
    ~MatrixApplication();

    // The start-up sequence and the event loop; the process's exit code.
    int run();
    // The start-up sequence alone: false when the program ends without its
    // event loop (switches, no settings folder), with exitCode() set.
    bool start();
    int exitCode() const { return exitCode_; }

    TMainForm& mainForm() { return *form_; }
    MatrixGrid& grid() { return *grid_; }
    ConfigImage& image() { return image_; }
    RemoteControl& remoteControl() { return *remote_; }
    MacroWiring& macros() { return *macros_; }
    TDotLogForm& dotLog() { return *dotLog_; }
    OptionDialogs& optionDialogs() { return *optionDialogs_; }
    TQVScaleForm& scaleEditor() { return scaleEditor_->window(); }
    MatrixConnection& connection() { return *connection_; }
    // Switched in the About box; what it reveals watches it.
    DebugMode& debugMode() { return debugMode_; }
    TfrmSCG& screenGrab() { return *screenGrab_; }
    TInstallForm& installation() { return *install_; }

private:
    void plugIn();
    void connectRequests();
    void connectRemoteRequests();
    void plugInRemote();
    // options_plug_in.cpp: the information windows, debug mode, the remote
    // keyboard and mouse pad, and the Options dialog.
    void plugInOptions();
    void connectOptionRequests();
    AboutInstrument aboutInstrument() const;
    // service_plug_in.cpp: the screen grab.
    void plugInScreenGrab();
    void openScreenGrab();
    // The software installation: its menu entry and the packages of the
    // command line, the hand-over and drops.
    void plugInInstallation();
    void openInstallation(const QString& package);
    void setDownloadMode();
    // Follows the Interface menu's choice: the serial port, the external
    // program or none.
    void applyInterface();
    // The transfer window of the chosen port, created on first use.
    MatrixTransfer* transferWindow();
    // After a file was opened (ok): Download follows the connection.
    bool opened(bool ok);
    // The DOT receiver goes first: it must not outlive the window's channel.
    void dropTransferWindow();
    HostServices host() { return {clock_, pump_, prompter_}; }

    MatrixCommandLine commandLine_;
    QtPrompter qtPrompter_;
    RoutedSerialPort routedPort_;
    SteadyClock steadyClock_;
    QtEventPump qtPump_;
    Clock& clock_ = steadyClock_;
    EventPump& pump_ = qtPump_;
    Prompter& prompter_ = qtPrompter_;
    SerialPort& port_ = routedPort_;
    std::vector<std::string> portNames_;
    StartTimer startTimer_;
    StartTimer gainTimer_;
    int exitCode_ = 0;
    DebugMode debugMode_; // outlives the windows that watch it

    HandOverServer server_;
    StartTimer splashTimer_;
    bool splashWanted_ = true;
    QPointer<TSplashForm> splash_; // deletes itself when its bar is full
    std::unique_ptr<TMainForm> form_;
    ConfigImage image_;
    InstrumentRecord record_;
    MatrixGrid* grid_ = nullptr; // owned by the main window
    std::unique_ptr<MainFormView> view_;
    std::unique_ptr<ConfigDocument> document_;
    std::unique_ptr<MatrixConnection> connection_;
    std::unique_ptr<QtExternalProgram> externalProgram_;
    std::unique_ptr<TRS232Driver> driver_;
    std::unique_ptr<DotReceiver> receiver_; // on the driver's channel
    QString driverPort_;
    std::unique_ptr<RemoteControl> remote_;
    std::unique_ptr<MacroWiring> macros_; // goes before remote control and the window
    std::unique_ptr<OptionDialogs> optionDialogs_; // goes before remote control and the window
    std::unique_ptr<ScaleEditorWiring> scaleEditor_; // goes before remote control and the window
    TDotLogForm* dotLog_ = nullptr; // owned by the main window
    // Owned by the main window.
    TAboutForm* about_ = nullptr;
    TFileInfoForm* fileInfo_ = nullptr;
    TKeyboardForm* keyboard_ = nullptr;
    TMousePadForm* mousePad_ = nullptr;
    TOptionsForm* options_ = nullptr;
    TDebugForm* debugList_ = nullptr;
    TfrmSCG* screenGrab_ = nullptr;
    TInstallForm* install_ = nullptr;
    bool startedUp_ = false; // the start-up sequence has run
};

} // namespace qv
