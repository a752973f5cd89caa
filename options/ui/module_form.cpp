#include "module_form.h"

#include "options/installed_modules.h"
#include "platform/qt/centre_window.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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
    auto* OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(gbInputs);
    layout->addWidget(gbOutputs);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(OKButton);
    layout->addLayout(row);
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
    adjustSize();
    CentreWindow(*this, parentWidget());
    show();
    raise();
    activateWindow();
}

} // namespace qv
