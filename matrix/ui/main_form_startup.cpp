#include "main_form.h"

#include "matrix_version.h"
#include "platform/host/port_names.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>

namespace qv {

namespace {

// Counts the window as busy while a flow runs, so hand-overs wait.
struct BusyScope {
    int& count;
    explicit BusyScope(int& c) : count(c) { ++count; }
    ~BusyScope() { --count; }
};

bool onSomeScreen(const QRect& rect)
{
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(rect))
            return true;
    return false;
}

} // namespace

// The start-up order of the main window. Each step that needs the
// connection, the document or remote control goes through a hook.
bool TMainForm::startProgram(const MatrixCommandLine& commandLine, const std::vector<std::string>& ports)
{
    const BusyScope busy(busy_);
    holdUnbuiltCommands();
    commandLine_ = commandLine;
    const bool switches = commandLine.downloadMode || commandLine.restartOnly;
    // The window opens where it was left; the full read follows in order.
    applyWindowSettings(ReadMatrixSettings(settingsPath_).window);
    if (!switches) {
        show();
        holdForSplash();
    }

    hooks_.prepareGrid();
    setWindowTitle(kMainFormCaption);
    // Before the file of the command line: opening it puts it at the top of
    // the saved recent list, which must be there by then.
    readSettings();
    // Asking for the simulator means using it.
    if (commandLine.simulator)
        settings_.comInterface = QString::fromLatin1(kSimulatorPortName);
    commandLineStep(commandLine.filePath);
    buildInterfaceMenu(ports);
    refreshRecentMenu();
    hooks_.markIllegalCrosspoints();
    if (switches && runSwitches())
        return false;
    if (!isVisible())
        show();

    if (!portMissing())
        hooks_.identify(!pendingPackage_.isEmpty() && hooks_.installPackage);
    if (!pendingPackage_.isEmpty() && !startPackage())
        return false;
    if (!pendingMacro_.isEmpty())
        offerMacro(takePendingMacro());
    checkFileAssociations();
    holdForSplash();
    return true;
}

void TMainForm::commandLineStep(const QString& path)
{
    if (path.isEmpty())
        return;
    setField(MainField::File, CommandLineFileText(path));
    switch (FileKindOf(path)) {
    case MatrixFileKind::Preset: hooks_.openFile(path); break;
    case MatrixFileKind::Macro: setPendingMacro(path); break;
    case MatrixFileKind::Package: pendingPackage_ = path; break;
    case MatrixFileKind::Other: break;
    }
}

// "/DLM" and "/I". True when the process is to end.
bool TMainForm::runSwitches()
{
    if (interface_.kind != InterfaceChoice::Kind::Serial)
        return false;
    hide();
    if (!hooks_.connectForSwitch())
        return false;
    if (commandLine_.downloadMode)
        hooks_.restartInDownloadMode();
    else
        hooks_.restartRVT();
    return true;
}

// A package as the first argument. False when the process is to end.
bool TMainForm::startPackage()
{
    const QString package = pendingPackage_;
    pendingPackage_.clear();
    // Nothing to do with the package: the program goes on as without it.
    if (!hooks_.installPackage) {
        prompter_.information(std::string(kInstallNotAvailableText) + kStartedNormallyText);
        setField(MainField::File, {});
        return true;
    }
    const InstrumentSummary instrument = hooks_.instrument();
    if (!instrument.connected) {
        prompter_.message(MessageKind::Warning, NoRvtDetectedText(portDisplayName().toStdString()));
        setField(MainField::File, {});
        return true;
    }
    hide();
    if (prompter_.confirm(InstallQuestionText(instrument, portDisplayName().toStdString())))
        hooks_.installPackage(package);
    return false;
}

void TMainForm::readSettings()
{
    QString error;
    if (!CreateMatrixSettingsFile(settingsPath_, &error))
        prompter_.error(error.toStdString());
    settings_ = ReadMatrixSettings(settingsPath_);
    applyWindowSettings(settings_.window);
    showWebAddress(settings_.webAddress);
    emit settingsRead();
    mnuGlobalHotkeys->setChecked(settings_.globalHotkeys);
}

void TMainForm::applyWindowSettings(const WindowSettings& window)
{
    QRect rect(window.left, window.top, window.width, window.height);
    // A place on a screen that is gone would leave the window unreachable.
    if (!onSomeScreen(rect))
        rect.moveTo(WindowSettings{}.left, WindowSettings{}.top);
    if (!isMaximized()) {
        resize(rect.size());
        move(rect.topLeft());
    }
    if (window.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

bool TMainForm::writeSettings()
{
    MatrixSettings out = settings_;
    out.window.maximized = isMaximized();
    if (!out.window.maximized) {
        out.window.left = pos().x();
        out.window.top = pos().y();
        out.window.width = width();
        out.window.height = height();
    }
    if (hooks_.gridPosition) {
        const QPoint at = hooks_.gridPosition();
        out.window.gridPosX = at.x();
        out.window.gridPosY = at.y();
    }
    // While the saved port is missing the field is empty: keep the name, so
    // a port unplugged for one session is still chosen the next time.
    if (!field(MainField::Port).isEmpty())
        out.comInterface = field(MainField::Port);
    out.globalHotkeys = mnuGlobalHotkeys->isChecked();
    QString error;
    if (!WriteMatrixSettings(out, settingsPath_, &error)) {
        prompter_.error(error.toStdString());
        return false;
    }
    settings_ = out;
    return true;
}

bool TMainForm::closeQuery()
{
    if (!hooks_.mayClose())
        return false;
    setPendingMacro({});
    writeSettings();
    return true;
}

} // namespace qv
