// The information windows, debug mode and what it reveals, the remote
// keyboard and mouse pad, and the Options dialog, joined to the program.
#include "matrix_application.h"

#include "link/identity_tables.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSysInfo>

namespace qv {

namespace {

DiagnosticFacts Diagnostics(bool advancedMode, const std::vector<std::string>& ports)
{
    DiagnosticFacts facts;
    QStringList arguments = QCoreApplication::arguments();
    facts.program = arguments.isEmpty() ? std::string() : arguments.takeFirst().toStdString();
    for (const QString& argument : arguments)
        facts.arguments.push_back(argument.toStdString());
    facts.advancedMode = advancedMode;
    const QUrl help = MatrixHelpPage();
    facts.helpFile = (help.isLocalFile() ? help.toLocalFile() : help.toString()).toStdString();
    facts.platformDir = QLibraryInfo::path(QLibraryInfo::PrefixPath).toStdString();
    facts.tempDir = QDir::tempPath().toStdString();
    facts.systemDir = QLibraryInfo::path(QLibraryInfo::LibrariesPath).toStdString();
    facts.systemVersion = QSysInfo::prettyProductName().toStdString();
    facts.release = ParseRelease(QSysInfo::kernelVersion().toStdString());
    facts.ports = ports;
    return facts;
}

} // namespace

void MatrixApplication::plugInOptions()
{
    TMainForm* form = form_.get();
    about_ = new TAboutForm(debugMode_, form->settingsPath(),
                            Diagnostics(commandLine_.versionOverride.enabled, portNames_), form);
    fileInfo_ = new TFileInfoForm(image_, commandLine_.versionOverride.enabled, prompter_, form);
    keyboard_ = new TKeyboardForm(
        [this]() -> Softkeys::PressKey {
            MatrixTransfer* transfer = transferWindow();
            if (!transfer)
                return {};
            return [transfer](uint8_t key) { return transfer->link().PressKey(key); };
        },
        clock_, prompter_, form->settings().keyboard, form);
    mousePad_ = new TMousePadForm(clock_, [this](const std::string& line) { remote_->send(line); }, prompter_, form);
    options_ = new TOptionsForm(*form, *grid_, prompter_);
    debugList_ = new TDebugForm(form);

    // What debug mode reveals in the main window.
    debugMode_.watch([form = QPointer<TMainForm>(form)](bool on) {
        if (form)
            form->setDiagnosticButtonsVisible(on);
    });
    QObject::connect(about_, &TAboutForm::debugActionRun, form, [form] { form->setMousePadVisible(true); });
    QObject::connect(about_, &TAboutForm::forceV5UpgradeToggled, form,
                     [this](bool on) { connection_->forceV5Upgrade = on; });
    QObject::connect(about_, &TAboutForm::setDlmRequested, form, [this] { setDownloadMode(); });
    QObject::connect(fileInfo_, &TFileInfoForm::trailerChanged, form, [this] { document_->UpdateCommands(); });
    QObject::connect(grid_, &MatrixGrid::labelsRebuilt, debugList_,
                     [this] { debugList_->addTable(image_.addressTable()); });

    // The settings place the keyboard window and name the web site.
    QObject::connect(form, &TMainForm::settingsRead, form, [this] {
        const MatrixSettings& settings = form_->settings();
        keyboard_->move(KeyboardWindowPosition(settings, keyboard_->size()));
        if (settings.keyboard.visible)
            keyboard_->show();
        about_->setWebAddress(settings.webAddress);
        if (splash_)
            splash_->setWebAddress(settings.webAddress);
    });
}

void MatrixApplication::connectOptionRequests()
{
    TMainForm* form = form_.get();
    QObject::connect(form, &TMainForm::aboutRequested, form, [this] { about_->showFor(aboutInstrument()); });
    QObject::connect(form, &TMainForm::fileInfoRequested, form, [this] { fileInfo_->showInfo(); });
    QObject::connect(form, &TMainForm::keyboardRequested, form, [this] {
        keyboard_->setVisible(!keyboard_->isVisible());
        if (keyboard_->isVisible())
            keyboard_->raise();
    });
    QObject::connect(form, &TMainForm::mousePadRequested, form, [this] {
        mousePad_->show();
        mousePad_->raise();
    });
    QObject::connect(form, &TMainForm::optionsRequested, form, [this] { options_->showOptions(); });
    QObject::connect(form, &TMainForm::debugListRequested, form, [this] {
        debugList_->show();
        debugList_->raise();
    });
}

AboutInstrument MatrixApplication::aboutInstrument() const
{
    AboutInstrument instrument;
    instrument.identified = record_.connected;
    instrument.biosMode = record_.biosMode;
    instrument.dotLive = record_.remoteCapable;
    instrument.typeName = TypeName(Program::Matrix, record_.type);
    instrument.serialText = record_.serialText;
    instrument.memoryVersion = connection_->memoryVersion();
    instrument.dot = record_.dot;
    return instrument;
}

void MatrixApplication::setDownloadMode()
{
    // The instrument restarts: remote control would end with it.
    if (remote_->connected() && !remote_->disconnectAsk())
        return;
    connection_->enterDownloadMode(false);
}

} // namespace qv
