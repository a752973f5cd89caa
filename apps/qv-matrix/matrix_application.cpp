#include "matrix_application.h"

#include "link/identity_tables.h"
#include "platform/qt/help_location.h"
#include "platform/qt/port_list.h"
#include "platform/qt/simulator_port.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace qv {

MatrixApplication::MatrixApplication(MatrixCommandLine commandLine) : commandLine_(std::move(commandLine))
{
    if (commandLine_.simulator)
        routedPort_.setSimulator(std::make_unique<SimulatorPort>());
    portNames_ = availablePortNames(commandLine_.extraPorts, commandLine_.simulator);
}

MatrixApplication::MatrixApplication(MatrixCommandLine commandLine, MatrixServices services)
    : commandLine_(std::move(commandLine)), clock_(services.clock), pump_(services.pump), prompter_(services.prompter),
      port_(services.port), portNames_(std::move(services.portNames)), startTimer_(std::move(services.startTimer)),
      gainTimer_(std::move(services.gainTimer)), splashTimer_(std::move(services.splashTimer)),
      splashWanted_(bool(splashTimer_))
{
}

MatrixApplication::~MatrixApplication()
{
    // The transfer window holds the port and refers to the record.
    dropTransferWindow();
    delete splash_;
}

void MatrixApplication::dropTransferWindow()
{
    receiver_.reset();
    driver_.reset();
}

QUrl MatrixHelpPage()
{
    return HelpPageUrl("qv-matrix.html", QCoreApplication::applicationDirPath());
}

int MatrixApplication::run()
{
    return start() ? QApplication::exec() : exitCode_;
}

bool MatrixApplication::start()
{
    // Without a settings folder nothing could be kept.
    if (MatrixSettingsPath().isEmpty() || !QDir(QDir::tempPath()).exists()) {
        prompter_.error("The settings folder or the temporary folder of QV-Matrix cannot be determined.");
        exitCode_ = 1;
        return false;
    }
    if (commandLine_.arguments.isEmpty() && splashWanted_) {
        splash_ = new TSplashForm(splashTimer_);
        splash_->show();
    }
    QApplication::setApplicationName("QV-Matrix");
    form_ = std::make_unique<TMainForm>(prompter_);
    qtPrompter_.setParentWidget(form_.get());
    qtPrompter_.setHelpPage(MatrixHelpPage());
    form_->setSplash(splash_);
    QObject::connect(&server_, &HandOverServer::pathReceived, form_.get(), &TMainForm::queueHandOver);
    // A copy started without a file runs on its own when another listens.
    server_.listen(HandOverServerName());
    plugIn();

    const bool goOn = form_->startProgram(commandLine_, portNames_);
    startedUp_ = true;
    return goOn;
}

MatrixTransfer* MatrixApplication::transferWindow()
{
    const InterfaceChoice choice = form_->currentInterface();
    if (choice.kind != InterfaceChoice::Kind::Serial)
        return nullptr;
    if (!driver_ || driverPort_ != choice.name) {
        dropTransferWindow(); // another port: the old window takes its port with it
        const QString log = commandLine_.trafficLog.isEmpty() ? TrafficLogSetting({}) : commandLine_.trafficLog;
        driver_ = std::make_unique<TRS232Driver>(port_, host(), record_, choice.name.toStdString(), log.toStdString(),
                                                 form_.get());
        driver_->transfer().dspFile.flashMirror = FlashMirrorSetting();
        driverPort_ = choice.name;
        if (startTimer_) {
            driver_->channel().startDeferralTimer = [this](int ms) {
                startTimer_(ms, [this] {
                    if (driver_)
                        driver_->channel().DeferralTimerFired();
                });
            };
        }
        receiver_ = std::make_unique<DotReceiver>(driver_->channel());
        receiver_->parseLine = [this](const std::string& line) { remote_->lineReceived(line); };
    }
    return &driver_->transfer();
}

void MatrixApplication::applyInterface()
{
    const InterfaceChoice choice = form_->currentInterface();
    switch (choice.kind) {
    case InterfaceChoice::Kind::Serial:
        connection_->interface = MatrixInterface::Serial;
        break;
    case InterfaceChoice::Kind::Ext: {
        connection_->interface = MatrixInterface::Ext;
        const QString program = QFileInfo(QDir(QCoreApplication::applicationDirPath()), form_->settings().extCmd)
                                    .absoluteFilePath();
        externalProgram_ = std::make_unique<QtExternalProgram>(program, host());
        connection_->externalProgram = externalProgram_.get();
        break;
    }
    case InterfaceChoice::Kind::None:
        connection_->interface = MatrixInterface::None;
        break;
    }
    connection_->savedPortName = form_->portDisplayName().toStdString();
}

// The rest of QV-Matrix joins the shell here: the grid, the document and
// the connection.
void MatrixApplication::plugIn()
{
    grid_ = new MatrixGrid(image_, prompter_, clock_, pump_, form_.get());
    form_->setGridWidget(grid_);
    view_ = std::make_unique<MainFormView>(*form_, *grid_, image_);
    document_ = std::make_unique<ConfigDocument>(image_, *view_, prompter_);
    document_->versionOverride = commandLine_.versionOverride;
    connection_ = std::make_unique<MatrixConnection>(*document_, record_, *view_, prompter_, clock_);
    connection_->transferWindow = [this] { return transferWindow(); };
    connection_->temporaryFolder = QDir::tempPath().toStdString();

    ShellHooks& hooks = form_->hooks();
    hooks.prepareGrid = [this] { grid_->setDefaultLabels(); };
    // Whatever happens with the port afterwards, the grid looks and reacts
    // as the settings say and opens where it was left.
    QObject::connect(form_.get(), &TMainForm::settingsRead, form_.get(), [this] {
        const MatrixSettings& settings = form_->settings();
        grid_->setSettings(settings.matrix);
        grid_->setGridPos(settings.window.gridPosX, settings.window.gridPosY);
    });
    hooks.markIllegalCrosspoints = [this] { grid_->markIllegal(); };
    hooks.connectForSwitch = [this] {
        applyInterface();
        return connection_->connectForSwitch();
    };
    hooks.restartInDownloadMode = [this] {
        if (!connection_->enterDownloadMode(true))
            exitCode_ = 1;
    };
    hooks.restartRVT = [this] {
        if (MatrixTransfer* transfer = transferWindow())
            transfer->link().RestartRVT();
    };
    hooks.identify = [this](bool installationStarting) {
        applyInterface();
        connection_->installationStarting = installationStarting;
        if (connection_->interface == MatrixInterface::Serial)
            connection_->identify();
        connection_->installationStarting = false;
    };
    hooks.instrument = [this] {
        return InstrumentSummary{record_.connected, record_.biosMode, TypeName(Program::Matrix, record_.type),
                                 record_.serialText};
    };
    hooks.openFile = [this](const QString& path) { return opened(document_->Open(path.toStdString())); };
    hooks.openRecentFile = [this](const QString& path) { return opened(document_->OpenRecent(path.toStdString())); };
    hooks.mayClose = [this] { return scaleEditor_->mayClose() && document_->ReplacementGuard(); };
    hooks.gridPosition = [this] { return QPoint(grid_->gridPosX(), grid_->gridPosY()); };
    plugInRemote();
    macros_ = std::make_unique<MacroWiring>(*form_, *grid_, *remote_, prompter_);
    optionDialogs_ =
        std::make_unique<OptionDialogs>(*form_, *grid_, *document_, *remote_, *view_, debugMode_, gainTimer_);
    plugInOptions();
    scaleEditor_ = std::make_unique<ScaleEditorWiring>(*form_, *document_, *connection_, *remote_, *view_, record_,
                                                       [this] { return transferWindow(); });
    plugInScreenGrab();
    plugInInstallation();
    connectRequests();
    connectRemoteRequests();
    connectOptionRequests();
}

// Remote control joins the connection (restart ends it), the document (the
// replacement guard asks to disconnect), the grid (live edits) and the
// main window's menus, button, keys and preset drop-down.
void MatrixApplication::plugInRemote()
{
    remote_ = std::make_unique<RemoteControl>(*document_, *connection_, record_, *view_, host());
    remote_->receiver = [this]() -> DotReceiver* { return transferWindow() ? receiver_.get() : nullptr; };
    dotLog_ = new TDotLogForm(form_.get());
    remote_->logLine = [this](const std::string& line) {
        dotLog_->addLine(QString::fromLatin1(line.data(), qsizetype(line.size())));
    };
    connection_->remoteConnected = [this] { return remote_->connected(); };
    connection_->askDisconnect = [this] { return remote_->disconnectAsk(); };
    connection_->endRemoteLocally = [this] { remote_->disconnectLocal(); };
    document_->releaseRemoteControl = [this] { return remote_->disconnectAsk(); };

    grid_->setCommandSender([this](const std::string& command) { remote_->send(command); });
    grid_->setLiveLabelWriter([this](uint32_t address, const std::string& text, const std::string& waitText) {
        return remote_->writeLabel(address, text, waitText);
    });
    grid_->setLiveGainQuery([this](int output) { return remote_->liveGain(output); });
    form_->hooks().connectRemote = [this] { return remote_->connect(false); };
}

void MatrixApplication::connectRemoteRequests()
{
    TMainForm* form = form_.get();
    QObject::connect(form, &TMainForm::remoteConnectRequested, form, [this] { remote_->connect(false); });
    QObject::connect(form, &TMainForm::remoteDisconnectRequested, form, [this] { remote_->disconnectAsk(); });
    QObject::connect(form, &TMainForm::remoteToggled, form, [this](bool pressed) {
        if (pressed)
            remote_->connect(false);
        else
            remote_->disconnectAsk();
    });
    QObject::connect(form, &TMainForm::parameterKeyPressed, form, [this](int key) {
        if (remote_->connected())
            remote_->parameterKey(key);
    });
    QObject::connect(form, &TMainForm::dotLogRequested, form, [this] {
        dotLog_->show();
        dotLog_->raise();
    });
}

bool MatrixApplication::opened(bool ok)
{
    if (ok)
        connection_->imageOpened();
    return ok;
}

void MatrixApplication::connectRequests()
{
    TMainForm* form = form_.get();
    QObject::connect(form, &TMainForm::helpRequested, form, [this] { prompter_.showHelp(HelpTopic::Contents); });
    QObject::connect(form, &TMainForm::openRequested, form, [this] { opened(document_->Open()); });
    QObject::connect(form, &TMainForm::saveRequested, form, [this] { document_->Save(); });
    QObject::connect(form, &TMainForm::saveAsRequested, form, [this] { document_->SaveAs(); });
    QObject::connect(form, &TMainForm::uploadRequested, form, [this] { connection_->upload(); });
    QObject::connect(form, &TMainForm::downloadRequested, form, [this] { connection_->download(); });
    QObject::connect(form, &TMainForm::restartRequested, form, [this] { connection_->restart(); });
    QObject::connect(form, &TMainForm::interfaceChosen, form, [this](const QString&) {
        // Remote control lives on the port being closed.
        if (remote_->connected())
            remote_->disconnectLocal();
        dropTransferWindow();
        applyInterface();
        if (connection_->interface == MatrixInterface::Serial)
            connection_->identify();
    });
    QObject::connect(form, &TMainForm::copyLabelsRequested, grid_, &MatrixGrid::copySelectedLabels);
    QObject::connect(form, &TMainForm::pasteLabelsRequested, grid_, &MatrixGrid::pasteLabels);
    QObject::connect(form, &TMainForm::copyXPointsRequested, grid_, &MatrixGrid::copySelectedXPoints);
    QObject::connect(form, &TMainForm::pasteXPointsRequested, grid_, &MatrixGrid::pasteXPoints);
    QObject::connect(grid_, &MatrixGrid::clipboardStateChanged, form, [this] { view_->updateEditCommands(); });
    QObject::connect(grid_, &MatrixGrid::imageModified, form, [this] { document_->UpdateCommands(); });
    QObject::connect(form, &TMainForm::presetChosen, form, [this](int preset) {
        if (remote_->connected()) {
            remote_->choosePreset(preset); // the instrument's report reloads the grid
            return;
        }
        image_.selectPreset(preset - 1);
        grid_->rebuild();
    });
    QObject::connect(form, &TMainForm::backlightChanged, form, [this](int position) {
        image_.setLowByte(image_.addressTable().BacklightAdr, uint8_t(position));
        document_->UpdateCommands();
    });
}

} // namespace qv
