#pragma once

#include "matrix/config_document.h"
#include "matrix/main_view.h"
#include "matrix/remote_control.h"
#include "matrix/remote_timer.h"
#include "matrix/ui/main_form.h"
#include "matrix/ui/matrix_grid.h"
#include "options/debug_mode.h"
#include "options/live_options.h"
#include "options/ui/gain_form.h"
#include "options/ui/lcd_options_form.h"
#include "options/ui/leqm_form.h"
#include "options/ui/lock_form.h"
#include "options/ui/ppm_option_form.h"
#include "options/ui/preset_options_form.h"
#include "options/ui/scale_form.h"
#include "options/ui/scop_form.h"
#include "options/ui/theme_option_form.h"

#include <functional>
#include <memory>

class QAction;

namespace qv {

// Remote control as the option dialogs use it: its live writes, with the
// main window's wait window.
class RemoteOptionWrites : public LiveOptions {
public:
    RemoteOptionWrites(RemoteControl& remote, MainView& view) : remote_(remote), view_(view) {}

    bool connected() const override { return remote_.connected(); }
    void showWait(const std::string& text) override;
    void hideWait() override;
    void pause(int ms) override { remote_.pause(ms); }
    bool writeOptionsBlock() override { return remote_.writeOptionsBlock(); }
    bool patchBlock(uint32_t blockAddress, const std::vector<std::pair<int, uint8_t>>& bytes) override
    {
        return remote_.patchBlock(blockAddress, bytes);
    }
    bool writePresetName(int index, const std::string& name) override { return remote_.writePresetName(index, name); }
    void takeOverConfiguration() override { remote_.takeOverConfiguration(); }
    GainReply setGain(int output, int tenths) override { return remote_.setGain(output, tenths); }
    int liveGain(int output) override { return remote_.liveGain(output); }

private:
    RemoteControl& remote_;
    MainView& view_;
};

// QV-Matrix's option dialogs joined to the menus, the grid's popups, the
// main window's "Theme" button, the document and remote control.
class OptionDialogs {
public:
    static constexpr char kNoConfigurationText[] =
        "There is no configuration to edit.\rOpen a configuration file or upload the configuration from the RVT "
        "first.";

    // gainTimer runs the gain dialog's auto update; unset, its own timer does.
    OptionDialogs(TMainForm& form, MatrixGrid& grid, ConfigDocument& document, RemoteControl& remote, MainView& view,
                  DebugMode& debugMode, StartTimer gainTimer);
    ~OptionDialogs() { *alive_ = false; }
    OptionDialogs(const OptionDialogs&) = delete;
    OptionDialogs& operator=(const OptionDialogs&) = delete;

    // How a dialog is run: modal by default; tests answer it instead.
    using DialogRunner = std::function<int(QDialog&)>;
    void setDialogRunner(DialogRunner run) { run_ = std::move(run); }

    // The "Theme" button shows while debug mode and remote control are on.
    void updateThemeButton();

private:
    void connectMenus();
    void connectGrid();
    // Runs a dialog once there is a configuration to edit; true on OK.
    bool run(QDialog& dialog, const std::function<void()>& show);

    TMainForm& form_;
    MatrixGrid& grid_;
    ConfigDocument& document_;
    RemoteControl& remote_;
    MainView& view_;
    RemoteOptionWrites live_;
    DialogRunner run_ = [](QDialog& dialog) { return dialog.exec(); };
    QAction* actTheme_ = nullptr;
    // Debug mode outlives this wiring; its watcher checks this first.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    // Owned by the main window.
    TPPMOptionForm* ppm_;
    TScopForm* scop_;
    TGainForm* gain_;
    TLockForm* lock_;
    TLCDOptionsForm* lcd_;
    TfrmThemeOption* theme_;
    TLeqmForm* leqm_;
    TPresetOptionsForm* preset_;
    TScaleForm* scale_;
};

} // namespace qv
