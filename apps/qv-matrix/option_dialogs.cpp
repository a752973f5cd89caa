#include "option_dialogs.h"

#include <QAction>
#include <QToolBar>

namespace qv {

void RemoteOptionWrites::showWait(const std::string& text)
{
    view_.setWaitText(text);
    view_.showWait(true);
}

void RemoteOptionWrites::hideWait()
{
    view_.showWait(false);
}

OptionDialogs::OptionDialogs(TMainForm& form, MatrixGrid& grid, ConfigDocument& document, RemoteControl& remote,
                             MainView& view, DebugMode& debugMode, StartTimer gainTimer)
    : form_(form), grid_(grid), document_(document), remote_(remote), view_(view), live_(remote, view),
      ppm_(new TPPMOptionForm(document.image(), form.prompter(), live_, &form)),
      scop_(new TScopForm(document.image(), &form)),
      gain_(new TGainForm(document.image(), form.prompter(), live_, std::move(gainTimer), &form)),
      lock_(new TLockForm(document.image(), form.prompter(), &form)),
      lcd_(new TLCDOptionsForm(document.image(), [&form](int position) { form.setBacklight(position); }, &form)),
      theme_(new TfrmThemeOption(document.image(), form.prompter(), live_, [&debugMode] { return debugMode.on(); },
                                 &form)),
      leqm_(new TLeqmForm(document.image(), &form)),
      preset_(new TPresetOptionsForm(document.image(), form.prompter(), live_, &form)),
      scale_(new TScaleForm(document.image(), &form))
{
    connectMenus();
    connectGrid();
    debugMode.watch([this, alive = std::weak_ptr<bool>(alive_)](bool) {
        if (const auto on = alive.lock(); on && *on)
            updateThemeButton();
    });
    QObject::connect(&form_, &TMainForm::remoteConnectedShown, actTheme_, [this] { updateThemeButton(); });
    updateThemeButton();
}

bool OptionDialogs::run(QDialog& dialog, const std::function<void()>& show)
{
    if (!document_.hasImage() && !remote_.connected()) {
        form_.prompter().error(kNoConfigurationText);
        return false;
    }
    show();
    if (run_(dialog) != QDialog::Accepted)
        return false;
    document_.UpdateCommands();
    return true;
}

void OptionDialogs::connectMenus()
{
    TMainForm* form = &form_;
    QObject::connect(form, &TMainForm::presetOptionsRequested, form, [this] {
        if (run(*preset_, [this] { preset_->FormShow(); })) {
            // The new name in the drop-down, the same preset chosen.
            view_.rebuildPresetList();
            grid_.rebuildLabels();
        }
    });
    QObject::connect(form, &TMainForm::lcdOptionsRequested, form, [this] { run(*lcd_, [this] { lcd_->FormShow(); }); });
    QObject::connect(form, &TMainForm::leqOptionsRequested, form, [this] { run(*leqm_, [this] { leqm_->FormShow(); }); });
    QObject::connect(form, &TMainForm::scaleOptionsRequested, form,
                     [this] { run(*scale_, [this] { scale_->FormShow(); }); });
    QObject::connect(form, &TMainForm::lockCodeRequested, form, [this] { run(*lock_, [this] { lock_->FormShow(); }); });

    actTheme_ = new QAction(QStringLiteral("Theme"), form);
    actTheme_->setObjectName(QStringLiteral("actTheme"));
    actTheme_->setToolTip(QStringLiteral("LCD theme colours"));
    auto* toolBar = form->findChild<QToolBar*>(QStringLiteral("ToolBar"));
    toolBar->addAction(actTheme_);
    toolBar->widgetForAction(actTheme_)->setObjectName(QStringLiteral("btnTheme"));
    QObject::connect(actTheme_, &QAction::triggered, form, [this] { run(*theme_, [this] { theme_->FormShow(); }); });
}

void OptionDialogs::connectGrid()
{
    MatrixGrid* grid = &grid_;
    QObject::connect(grid, &MatrixGrid::ppmOptionsRequested, grid,
                     [this](int reference, const QList<int>& inputs, const QList<int>& outputs) {
                         run(*ppm_, [&] { ppm_->FormShow(reference, inputs, outputs); });
                     });
    QObject::connect(grid, &MatrixGrid::phaseOptionsRequested, grid,
                     [this](const QList<int>&) { run(*scop_, [this] { scop_->FormShow(); }); });
    QObject::connect(grid, &MatrixGrid::gainRequested, grid, [this](int, int tenths, const QList<int>& outputs) {
        run(*gain_, [&] { gain_->FormShow(GainMode::Output, tenths, outputs); });
    });
    QObject::connect(grid, &MatrixGrid::groupGainRequested, grid,
                     [this](int group, int tenths, const QList<int>& outputs) {
                         run(*gain_, [&] { gain_->FormShow(GainMode(group), tenths, outputs); });
                     });
}

void OptionDialogs::updateThemeButton()
{
    actTheme_->setVisible(theme_->offered());
}

} // namespace qv
