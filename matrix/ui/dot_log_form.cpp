#include "dot_log_form.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

TDotLogForm::TDotLogForm(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool), lstDotLog(new QListWidget(this))
{
    setObjectName("DotLogForm");
    setWindowTitle("DOT Log");
    lstDotLog->setObjectName("lstDotLog");
    lstDotLog->setUniformItemSizes(true);
    QFont font("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    lstDotLog->setFont(font);

    auto* btnClear = new QPushButton("Clear", this);
    btnClear->setObjectName("btnClear");
    connect(btnClear, &QPushButton::clicked, this, &TDotLogForm::clear);
    auto* btnClose = new QPushButton("Close", this);
    btnClose->setObjectName("btnClose");
    connect(btnClose, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClear);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstDotLog);
    layout->addLayout(buttons);
    resize(360, 420);
}

void TDotLogForm::addLine(const QString& line)
{
    // Line breaks inside a collected reply would only show as boxes.
    QString shown = line;
    shown.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    while (lstDotLog->count() >= kMaxLines)
        delete lstDotLog->takeItem(0);
    lstDotLog->addItem(shown);
    if (isVisible())
        lstDotLog->scrollToBottom();
}

void TDotLogForm::clear()
{
    lstDotLog->clear();
}

QStringList TDotLogForm::lines() const
{
    QStringList out;
    for (int i = 0; i < lstDotLog->count(); ++i)
        out << lstDotLog->item(i)->text();
    return out;
}

} // namespace qv
