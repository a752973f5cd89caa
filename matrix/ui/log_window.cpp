#include "log_window.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

LogWindow::LogWindow(QWidget* mainWindow, const char* name, const QString& title, const char* listName, int maxLines)
    : QWidget(mainWindow, Qt::Tool), list_(new QListWidget(this)), maxLines_(maxLines)
{
    setObjectName(name);
    setWindowTitle(title);
    list_->setObjectName(listName);
    list_->setUniformItemSizes(true);
    QFont font("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    list_->setFont(font);

    auto* btnClear = new QPushButton("Clear", this);
    btnClear->setObjectName("btnClear");
    connect(btnClear, &QPushButton::clicked, this, &LogWindow::clear);
    auto* btnClose = new QPushButton("Close", this);
    btnClose->setObjectName("btnClose");
    connect(btnClose, &QPushButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClear);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(360, 420);
}

void LogWindow::addLine(const QString& line)
{
    QString shown = line;
    shown.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    while (list_->count() >= maxLines_)
        delete list_->takeItem(0);
    list_->addItem(shown);
    if (isVisible())
        list_->scrollToBottom();
}

void LogWindow::clear()
{
    list_->clear();
}

QStringList LogWindow::lines() const
{
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        out << list_->item(i)->text();
    return out;
}

} // namespace qv
