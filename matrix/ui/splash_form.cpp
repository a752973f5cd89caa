#include "splash_form.h"

#include "file_type_icons.h"
#include "matrix_version.h"
#include "platform/qt/centre_window.h"

#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

namespace qv {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 190;
constexpr int kIconSize = 72;
} // namespace

TSplashForm::TSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("SplashForm");
    setWindowTitle(kMainFormCaption);
    setFixedSize(kWidth, kHeight);

    auto* title = new QLabel(QString(kMainFormCaption).trimmed(), this);
    title->setObjectName("lblTitle");
    QFont font = title->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    title->setFont(font);
    lblBuild = new QLabel("Build: " + MatrixVersionText(), this);
    lblBuild->setObjectName("lblBuild");
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName("ProgressBar");
    ProgressBar->setRange(0, kProgressMaximum);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kIconSize + 36, 40, 24, 24);
    layout->addWidget(title);
    layout->addWidget(lblBuild);
    layout->addStretch();
    layout->addWidget(ProgressBar);

    CentreWindow(*this, nullptr);
}

QString TSplashForm::buildText() const
{
    return lblBuild->text();
}

void TSplashForm::advance(int amount)
{
    ProgressBar->setValue(std::min(ProgressBar->value() + amount, kProgressMaximum));
}

void TSplashForm::finish(QWidget* window)
{
    if (window && window->isVisible())
        hide();
}

void TSplashForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawImage(QPoint(24, 36), DrawQvIcon(QvIcon::Program, kIconSize));
}

} // namespace qv
