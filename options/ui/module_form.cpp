#include "module_form.h"

#include "options/installed_modules.h"
#include "dialog_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace qv {

namespace {

QGroupBox* SlotGroup(QWidget* parent, const char* name, const char* labelPrefix, QLabel* (&labels)[4])
{
    auto* group = new QGroupBox(parent);
    group->setObjectName(name);
    auto* lines = new QVBoxLayout(group);
    for (int k = 0; k < 4; ++k) {
        labels[k] = new QLabel(group);
        labels[k]->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(labelPrefix)).arg(k + 1));
        lines->addWidget(labels[k]);
    }
    return group;
}

} // namespace

TModuleForm::TModuleForm(QWidget* parent) : QDialog(parent)
{
    setObjectName("ModuleForm");
    setWindowTitle("Installed modules.");
    setWindowModality(Qt::ApplicationModal);
    gbInputs = SlotGroup(this, "gbInputs", "lblInput", lblInput);
    gbOutputs = SlotGroup(this, "gbOutputs", "lblOutput", lblOutput);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(gbInputs);
    layout->addWidget(gbOutputs);
    AddOkRow(*this, *layout);
}

void TModuleForm::showFor(const DotIdentity& identity)
{
    const InstalledModules modules = InstalledModulesOf(identity);
    gbInputs->setTitle(QString::fromStdString(modules.inputCaption));
    gbOutputs->setTitle(QString::fromStdString(modules.outputCaption));
    for (int k = 0; k < InstalledModules::kSlots; ++k) {
        lblInput[k]->setText(QString::fromStdString(modules.inputs[size_t(k)]));
        lblOutput[k]->setText(QString::fromStdString(modules.outputs[size_t(k)]));
    }
    ShowOverParent(*this);
}

} // namespace qv
