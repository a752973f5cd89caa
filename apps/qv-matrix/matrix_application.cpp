#include "matrix_application.h"

#include "platform/qt/port_list.h"
#include "platform/qt/simulator_port.h"

#include <QApplication>
#include <QDir>

namespace qv {

MatrixApplication::MatrixApplication(MatrixCommandLine commandLine) : commandLine_(std::move(commandLine))
{
    if (commandLine_.simulator)
        port_.setSimulator(std::make_unique<SimulatorPort>());
}

MatrixApplication::~MatrixApplication() = default;

int MatrixApplication::run()
{
    // Without a settings folder nothing could be kept.
    if (MatrixSettingsPath().isEmpty() || !QDir(QDir::tempPath()).exists()) {
        prompter_.error("The settings folder or the temporary folder of QV-Matrix cannot be determined.");
        return 1;
    }
    if (commandLine_.arguments.isEmpty()) {
        splash_ = std::make_unique<TSplashForm>();
        splash_->show();
    }
    QApplication::setApplicationName("QV-Matrix");
    form_ = std::make_unique<TMainForm>(prompter_);
    prompter_.setParentWidget(form_.get());
    form_->setSplash(splash_.get());
    QObject::connect(&server_, &HandOverServer::pathReceived, form_.get(), &TMainForm::queueHandOver);
    // A copy started without a file runs on its own when another listens.
    server_.listen(HandOverServerName());
    plugIn();

    if (!form_->startProgram(commandLine_, availablePortNames(commandLine_.extraPorts, commandLine_.simulator)))
        return 0;
    return QApplication::exec();
}

// The rest of QV-Matrix joins the shell here: set form_->hooks() and connect
// the form's request signals. Until then the shell runs on its own.
void MatrixApplication::plugIn()
{
}

} // namespace qv
