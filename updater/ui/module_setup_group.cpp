#include "module_setup_group.h"

namespace qv {

namespace {

constexpr int kOtherModule = -1;

template <typename T>
T* Named(T* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

TModuleSetupGroup::TModuleSetupGroup(QWidget* parent) : QGroupBox(QStringLiteral("Write Module Data."), parent)
{
    setObjectName(QStringLiteral("grpModuleSetup"));
    chkModuleID = Named(new QCheckBox(QStringLiteral("Module ID."), this), "chkModuleID", {10, 24, 100, 20});
    chkModuleID->setChecked(true);
    cboModuleTypes = Named(new QComboBox(this), "cboModuleTypes", {120, 21, 340, 24});
    lblModuleIDData = Named(new QLabel(QStringLiteral("Data.:"), this), "lblModuleIDData", {10, 56, 100, 18});
    editModuleIDData = Named(new QLineEdit(QStringLiteral("00"), this), "editModuleIDData", {120, 53, 40, 24});
    editModuleIDData->setMaxLength(2);
    lblWriteModuleID = Named(new QLabel(this), "lblWriteModuleID", {10, 92, 400, 18});
    lblWriteModuleID->setTextFormat(Qt::PlainText);
    progressWriteModuleID = Named(new QProgressBar(this), "progressWriteModuleID", {10, 114, 420, 16});
    progressWriteModuleID->setTextVisible(false);
    progressWriteModuleID->setRange(0, kSlots);
    btnWriteModules = Named(new QPushButton(QStringLiteral("Update"), this), "btnWriteModules", {440, 108, 78, 26});
    btnWriteModules->setEnabled(false);
    btnWriteModules->setToolTip(QStringLiteral("Writing module data is not available in this version of QV-Update."));

    connect(cboModuleTypes, &QComboBox::currentIndexChanged, this, &TModuleSetupGroup::cboModuleTypesChange);
    connect(chkModuleID, &QCheckBox::clicked, this, &TModuleSetupGroup::chkModuleIDClick);
}

void TModuleSetupGroup::setModuleTypes(const std::vector<ModuleTypeEntry>& entries)
{
    const QSignalBlocker quiet(cboModuleTypes);
    cboModuleTypes->clear();
    for (const ModuleTypeEntry& entry : entries)
        cboModuleTypes->addItem(QString::fromStdString(entry.text), entry.code);
    cboModuleTypes->setCurrentIndex(0);
    cboModuleTypesChange();
}

void TModuleSetupGroup::cboModuleTypesChange()
{
    const int code = cboModuleTypes->currentData().isValid() ? cboModuleTypes->currentData().toInt() : kOtherModule;
    const bool typed = code == kOtherModule;
    if (!typed)
        editModuleIDData->setText(QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0')).toUpper());
    // Nothing to type while the module ID is not written.
    editModuleIDData->setEnabled(typed && chkModuleID->isChecked());
    lblModuleIDData->setEnabled(editModuleIDData->isEnabled());
}

void TModuleSetupGroup::chkModuleIDClick()
{
    cboModuleTypes->setEnabled(chkModuleID->isChecked());
    cboModuleTypesChange();
}

} // namespace qv
