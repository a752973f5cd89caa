#include "macro_wiring.h"

#include "matrix/dot_receiver.h"
#include "matrix/macro_file.h"
#include "matrix/macro_recording.h"
#include "matrix/remote_control.h"
#include "matrix/ui/label_edit_form.h"
#include "matrix/ui/main_form.h"
#include "matrix/ui/matrix_grid.h"

#include <QAction>

namespace qv {

MacroWiring::MacroWiring(TMainForm& form, MatrixGrid& grid, RemoteControl& remote, Prompter& prompter)
    : form_(form),
      grid_(grid),
      remote_(remote),
      prompter_(prompter),
      progress_(std::make_unique<TMacroProgressForm>(&form)),
      view_(*progress_, [this](const QString& text) { form_.setField(MainField::Message, text); }),
      runner_(grid.model(), remote, view_, [this] { return remote_.connected(); }),
      menu_(prompter, menuHooks())
{
    menu_.captionChanged = [this](int item) {
        if (QAction* entry = form_.macroAction(item))
            entry->setText(QString::fromStdString(menu_.caption(item)).replace('&', "&&"));
    };
    if (!MacroHotkeys::available())
        form_.action("mnuGlobalHotkeys")->setToolTip(MacroHotkeys::unavailableText());
    plugIntoRemote();
    plugIntoForm();
}

MacroWiring::~MacroWiring()
{
    // Remote control and the window outlive the runner they would ask.
    ShellHooks& hooks = form_.hooks();
    hooks.runMacro = [](const QString&) {};
    hooks.macroMenuState = [] { return MacroMenuState{}; };
    hooks.macroRunning = [] { return false; };
    remote_.macroActive = [] { return false; };
    remote_.macroRunning = [] { return false; };
    remote_.stopMacro = [] {};
    remote_.macroStopRequested = [] { return false; };
    remote_.runPendingMacro = [] {};
}

MacroMenuHooks MacroWiring::menuHooks()
{
    MacroMenuHooks hooks;
    hooks.remoteConnected = [this] { return remote_.connected(); };
    hooks.connectRemote = [this] { return remote_.connect(false); };
    hooks.run = [this](const std::string& path) { run(path); };
    hooks.setPending = [this](const std::string& path) { setPending(path); };
    hooks.storeFile = [this](int item, const std::string& file) { return storeFile(item, file); };
    return hooks;
}

void MacroWiring::plugIntoRemote()
{
    remote_.macroActive = [this] { return busy(); };
    remote_.macroRunning = [this] { return runner_.running(); };
    remote_.stopMacro = [this] { stop(); };
    remote_.macroStopRequested = [this] { return runner_.stopRequested(); };
    remote_.runPendingMacro = [this] {
        const QString path = form_.takePendingMacro();
        if (!path.isEmpty())
            run(path.toStdString());
    };
}

void MacroWiring::plugIntoForm()
{
    ShellHooks& hooks = form_.hooks();
    hooks.runMacro = [this](const QString& path) { run(path.toStdString()); };
    hooks.macroMenuState = [this] { return menuState(); };
    hooks.macroRunning = [this] { return runner_.running(); };

    // The hotkeys object is the context: the connections end with this.
    QObject* context = &hotkeys_;
    QObject::connect(&form_, &TMainForm::macroItemRequested, context,
                     [this](int item) { menu_.choose(item, form_.macroKeys()); });
    QObject::connect(&form_, &TMainForm::runMacroRequested, context, [this] { menu_.runChosen(); });
    QObject::connect(&form_, &TMainForm::stopMacroRequested, context, [this] { stop(); });
    QObject::connect(&form_, &TMainForm::saveMacroRequested, context, [this] { saveMacro(); });
    QObject::connect(&form_, &TMainForm::globalHotkeysToggled, context, [this](bool global) { setGlobal(global); });
    QObject::connect(&form_, &TMainForm::pendingMacroChanged, context, [this] { updateGrid(); });
    QObject::connect(&form_, &TMainForm::settingsRead, context, [this] { load(); });
    QObject::connect(&hotkeys_, &MacroHotkeys::hotkeyPressed, context, [this](int number) { hotkeyPressed(number); });
}

bool MacroWiring::busy() const
{
    return runner_.running() || !form_.pendingMacro().isEmpty();
}

MacroMenuState MacroWiring::menuState() const
{
    return MacroMenuStateFor(busy(), form_.remoteMenuEnabled(), !grid_.selection().outputs().empty());
}

void MacroWiring::run(const std::string& path)
{
    DotReceiver* receiver = remote_.receiver ? remote_.receiver() : nullptr;
    if (!receiver)
        return;
    grid_.setMacroPending(true);
    runner_.run(*receiver, path);
    updateGrid();
    remote_.macroEnded();
}

void MacroWiring::stop()
{
    runner_.requestStop();
    form_.setPendingMacro({});
}

void MacroWiring::setPending(const std::string& path)
{
    // The crosspoints may have been read while the file dialog was open.
    if (remote_.connected() && remote_.crosspointsRead())
        run(path);
    else
        form_.setPendingMacro(QString::fromStdString(path));
}

void MacroWiring::updateGrid()
{
    grid_.setMacroPending(busy());
}

void MacroWiring::load()
{
    std::array<std::string, kMacroMenuItems> files;
    for (int item = 1; item <= kMacroMenuItems; ++item)
        files[size_t(item - 1)] = form_.settings().macroFiles[size_t(item - 1)].toStdString();
    menu_.load(files);
}

bool MacroWiring::storeFile(int item, const std::string& file)
{
    const QString path = QString::fromStdString(file);
    // Kept for the settings written at close as well.
    form_.settings().macroFiles[size_t(item - 1)] = path;
    QString error;
    if (WriteMacroFile(item, path, form_.settingsPath(), &error))
        return true;
    prompter_.error(error.toStdString());
    return false;
}

void MacroWiring::saveMacro()
{
    TLabelEditForm dialog(prompter_, &form_);
    dialog.setupSingle(QString::fromLatin1(kMacroNameTitle), QString::fromLatin1(kMacroNameCaption), {},
                       int(kMacroNameLength));
    if (dialog.exec() != QDialog::Accepted)
        return;
    SaveMacro(dialog.texts().value(0).toStdString(), grid_.model(), grid_.selection(), prompter_);
}

void MacroWiring::setGlobal(bool global)
{
    if (global)
        hotkeys_.registerHotkeys();
    else
        hotkeys_.unregisterHotkeys();
}

// Keys 1 to 10 act as the menu items, 11 as "Run Macro...", both as the
// menu would enable them; 12 stops.
void MacroWiring::hotkeyPressed(int number)
{
    progress_->bringToFront();
    if (number == MacroHotkeys::kHotkeyCount) {
        stop();
        return;
    }
    QAction* entry = number <= kMacroMenuItems ? form_.macroAction(number) : form_.action("mnuRunMacro");
    form_.refreshMacroMenu();
    if (entry && entry->isEnabled())
        entry->trigger();
}

} // namespace qv
