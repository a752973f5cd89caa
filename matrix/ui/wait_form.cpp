#include "wait_form.h"

#include "platform/qt/centre_window.h"

#include <QVBoxLayout>

namespace qv {

namespace {
constexpr int kWaitWidth = 384;
constexpr int kWaitHeight = 48;
} // namespace

TWaitForm::TWaitForm(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), mainWindow_(mainWindow),
      label_(new QLabel(QStringLiteral("Please Wait..."), this))
{
    setObjectName("WaitForm");
    label_->setObjectName("WaitText");
    label_->setAlignment(Qt::AlignCenter);
    QFont font = label_->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() + 2);
    label_->setFont(font);
    setFixedSize(kWaitWidth, kWaitHeight);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#WaitForm { border: 1px solid palette(dark); }"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
}

void TWaitForm::showOverMainWindow()
{
    if (mainWindow_)
        CentreWindow(*this, mainWindow_);
    show();
    raise();
    repaint();
}

} // namespace qv
