#include "debug_form.h"

#include "config/address_table.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

TDebugForm::TDebugForm(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool), lstDebug(new QListWidget(this))
{
    setObjectName("DebugForm");
    setWindowTitle("Debug");
    lstDebug->setObjectName("lstDebug");
    lstDebug->setUniformItemSizes(true);
    QFont font("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    lstDebug->setFont(font);
    auto* btnClear = new QPushButton("Clear", this);
    btnClear->setObjectName("btnClear");
    connect(btnClear, &QPushButton::clicked, lstDebug, &QListWidget::clear);
    auto* btnClose = new QPushButton("Close", this);
    btnClose->setObjectName("btnClose");
    connect(btnClose, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClear);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstDebug);
    layout->addLayout(buttons);
    resize(320, 420);
}

void TDebugForm::addTable(const AddressTable& table)
{
    for (const std::string& line : AddressTableListing(table))
        lstDebug->addItem(QString::fromStdString(line));
    while (lstDebug->count() > kMaxLines)
        delete lstDebug->takeItem(0);
    lstDebug->scrollToBottom();
}

QStringList TDebugForm::lines() const
{
    QStringList out;
    for (int i = 0; i < lstDebug->count(); ++i)
        out << lstDebug->item(i)->text();
    return out;
}

} // namespace qv
