#pragma once

#include "updater/module_selection.h"

#include <QDialog>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>

namespace qv {

// The module selection dialog: one check line per expansion slot; the
// slots that hold the module of the image are checked and can be
// unchecked, the others are greyed. OK runs the update for the checked ones.
class TfrmModuleSelect : public QDialog {
    Q_OBJECT

public:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 240;

    explicit TfrmModuleSelect(QWidget* parent = nullptr);

    // Shows the selection modally over the parent; true after OK. The
    // selection keeps what the user checked.
    bool ShowModal(ModuleSelection& selection);
    // Loads a selection without showing it (FormShow).
    void Load(ModuleSelection& selection);

private:
    void chkModulesClickCheck(QListWidgetItem* item);
    void UpdateOk();

    ModuleSelection* selection_ = nullptr;
    QGroupBox* grpModules = new QGroupBox(this);
    QListWidget* chkModules = new QListWidget(grpModules);
    QPushButton* btnOK = new QPushButton(this);
    QPushButton* btnCancel = new QPushButton(this);
};

} // namespace qv
