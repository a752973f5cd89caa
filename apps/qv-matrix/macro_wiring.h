#pragma once

#include "matrix/macro_menu.h"
#include "matrix/macro_runner.h"
#include "matrix/ui/macro_hotkeys.h"
#include "matrix/ui/macro_progress_form.h"
#include "matrix/ui/macro_window_view.h"

#include <QString>

#include <memory>
#include <string>

namespace qv {

class MatrixGrid;
class Prompter;
class RemoteControl;
class TMainForm;

// The macros joined to the program: the Macro menu with its assignments,
// the runner under remote control with its progress window, the hotkeys,
// and the macros that come from the command line, a hand-over or a drop.
class MacroWiring {
public:
    MacroWiring(TMainForm& form, MatrixGrid& grid, RemoteControl& remote, Prompter& prompter);
    MacroWiring(const MacroWiring&) = delete;
    MacroWiring& operator=(const MacroWiring&) = delete;
    ~MacroWiring();

    // Plays a macro now; remote control is connected.
    void run(const std::string& path);
    // "Stop Macro", Ctrl+F12, hotkey 12 and the instrument's notices: a
    // running macro ends after its line, a pending one is dropped.
    void stop();
    // Running, or pending until the crosspoints are read.
    bool busy() const;
    MacroMenuState menuState() const;

    MacroRunner& runner() { return runner_; }
    MacroMenu& menu() { return menu_; }
    MacroHotkeys& hotkeys() { return hotkeys_; }
    TMacroProgressForm& progressForm() { return *progress_; }

private:
    void plugIntoRemote();
    void plugIntoForm();
    MacroMenuHooks menuHooks();
    void load();
    bool storeFile(int item, const std::string& file);
    void setPending(const std::string& path);
    void saveMacro();
    void setGlobal(bool global);
    void hotkeyPressed(int number);
    // No crosspoint flashes while a macro is pending or running.
    void updateGrid();

    TMainForm& form_;
    MatrixGrid& grid_;
    RemoteControl& remote_;
    Prompter& prompter_;
    std::unique_ptr<TMacroProgressForm> progress_;
    MacroWindowView view_;
    MacroRunner runner_;
    MacroMenu menu_;
    MacroHotkeys hotkeys_;
};

} // namespace qv
