#pragma once

#include "hand_over.h"
#include "matrix/ui/command_line.h"
#include "matrix/ui/main_form.h"
#include "matrix/ui/splash_form.h"
#include "platform/qt/qt_prompter.h"
#include "platform/qt/routed_serial_port.h"

#include <memory>

namespace qv {

// One run of QV-Matrix: the splash, the main window, the port and the
// hand-over server. The connection, the document, the grid and remote
// control are plugged into the main window's hooks in plugIn().
class MatrixApplication {
public:
    explicit MatrixApplication(MatrixCommandLine commandLine);
    ~MatrixApplication();

    // The start-up sequence and the event loop; the process's exit code.
    int run();

    TMainForm& mainForm() { return *form_; }
    RoutedSerialPort& port() { return port_; }

private:
    void plugIn();

    MatrixCommandLine commandLine_;
    QtPrompter prompter_;
    RoutedSerialPort port_;
    HandOverServer server_;
    std::unique_ptr<TSplashForm> splash_;
    std::unique_ptr<TMainForm> form_;
};

} // namespace qv
