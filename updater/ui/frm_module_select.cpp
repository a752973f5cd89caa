#include "frm_module_select.h"

#include "platform/qt/centre_window.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace qv {

TfrmModuleSelect::TfrmModuleSelect(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmModuleSelect"));
    setWindowTitle(QString::fromLatin1(ModuleSelection::kCaption));
    grpModules->setObjectName(QStringLiteral("grpModules"));
    grpModules->setTitle(QString::fromLatin1(ModuleSelection::kGroupText));
    chkModules->setObjectName(QStringLiteral("chkModules"));
    chkModules->setSelectionMode(QAbstractItemView::NoSelection);
    // The lines are made to fit; no sideways scrolling.
    chkModules->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setText(QStringLiteral("OK"));
    btnOK->setDefault(true);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setText(QStringLiteral("Cancel"));

    auto* group = new QVBoxLayout(grpModules);
    group->addWidget(chkModules);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpModules);
    layout->addLayout(buttons);
    resize(kWidth, kHeight);

    connect(chkModules, &QListWidget::itemChanged, this, &TfrmModuleSelect::chkModulesClickCheck);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmModuleSelect::Load(ModuleSelection& selection)
{
    selection_ = &selection;
    const QSignalBlocker quiet(chkModules);
    chkModules->clear();
    for (int i = 0; i < ModuleSelection::kSlots; ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(selection.line(i)), chkModules);
        Qt::ItemFlags flags = Qt::ItemIsUserCheckable;
        if (selection.enabled(i))
            flags |= Qt::ItemIsEnabled;
        item->setFlags(flags);
        item->setCheckState(selection.checked(i) ? Qt::Checked : Qt::Unchecked);
    }
    chkModules->setCurrentItem(nullptr);
    // Wide enough for the longest module name at the desktop's font.
    chkModules->setMinimumWidth(chkModules->sizeHintForColumn(0) + 2 * chkModules->frameWidth() +
                                chkModules->verticalScrollBar()->sizeHint().width());
    resize(std::max(width(), minimumSizeHint().width()), height());
    UpdateOk();
}

bool TfrmModuleSelect::ShowModal(ModuleSelection& selection)
{
    Load(selection);
    if (QWidget* owner = parentWidget())
        CentreWindow(*this, owner);
    const bool ok = exec() == QDialog::Accepted;
    selection_ = nullptr;
    return ok;
}

void TfrmModuleSelect::chkModulesClickCheck(QListWidgetItem* item)
{
    if (!selection_)
        return;
    selection_->setChecked(chkModules->row(item), item->checkState() == Qt::Checked);
    UpdateOk();
}

void TfrmModuleSelect::UpdateOk()
{
    btnOK->setEnabled(selection_ && selection_->okEnabled());
}

} // namespace qv
