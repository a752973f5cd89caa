#pragma once

#include "updater/wizard_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <vector>

namespace qv {

// grpModuleSetup, "Write Module Data.": the page the advanced menu's "Write
// data to SPI Modules" opens. What writing module data would do is not
// settled, so "Update" is never enabled.
class TModuleSetupGroup : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int kSlots = 7;

    explicit TModuleSetupGroup(QWidget* parent);

    // Fills cboModuleTypes, selects its first entry and runs its change handler.
    void setModuleTypes(const std::vector<ModuleTypeEntry>& entries);
    void cboModuleTypesChange();
    void chkModuleIDClick();

    QLabel* statusLabel() const { return lblWriteModuleID; }
    QProgressBar* progressBar() const { return progressWriteModuleID; }

private:
    QCheckBox* chkModuleID = nullptr;
    QComboBox* cboModuleTypes = nullptr;
    QLabel* lblModuleIDData = nullptr;
    QLineEdit* editModuleIDData = nullptr;
    QLabel* lblWriteModuleID = nullptr;
    QProgressBar* progressWriteModuleID = nullptr;
    QPushButton* btnWriteModules = nullptr;
};

} // namespace qv
