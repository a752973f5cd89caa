#include "splash_form.h"

#include "file_type_icons.h"
#include "matrix_version.h"
#include "platform/qt/centre_window.h"
#include "platform/qt/program_settings.h"

#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QVBoxLayout>

namespace qv {

namespace {
constexpr int kSplashWidth = 380;
constexpr int kSplashHeight = 190;
constexpr int kLogoSize = 72;
constexpr QPoint kLogoAt{24, 36};
} // namespace

TSplashForm::TSplashForm(StartTimer tick, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), tick_(std::move(tick))
{
    setObjectName("SplashForm");
    setWindowTitle(kMainFormCaption);
    setFixedSize(kSplashWidth, kSplashHeight);

    auto* title = new QLabel(QString(kMainFormCaption), this);
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
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    ProgressBar->setFixedHeight(8);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kLogoSize + 36, 40, 24, 24);
    layout->addWidget(title);
    layout->addWidget(lblBuild);
    layout->addStretch();
    layout->addWidget(ProgressBar);

    tmrSplash.setInterval(kTickMs);
    connect(&tmrSplash, &QTimer::timeout, this, &TSplashForm::tmrSplashTimer);
    CentreWindow(*this, nullptr);
}

QString TSplashForm::buildText() const
{
    return lblBuild->text();
}

int TSplashForm::position() const
{
    return ProgressBar->value();
}

void TSplashForm::advance(int amount)
{
    ProgressBar->setValue(std::clamp(ProgressBar->value() + amount, 0, kProgressMaximum));
    if (ProgressBar->value() >= kProgressMaximum)
        finish();
}

void TSplashForm::finish()
{
    if (finished_)
        return;
    finished_ = true;
    tmrSplash.stop();
    hide();
    deleteLater();
}

void TSplashForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (tick_)
        scheduleTick();
    else
        tmrSplash.start();
}

void TSplashForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    finish();
    emit closed();
}

void TSplashForm::scheduleTick()
{
    tick_(kTickMs, [self = QPointer<TSplashForm>(this)] {
        if (self && !self->finished_) {
            self->tmrSplashTimer();
            if (self && !self->finished_)
                self->scheduleTick();
        }
    });
}

void TSplashForm::tmrSplashTimer()
{
    if (++ticks_ > kQuietTicks)
        advance(kTickAdvance);
}

QRect TSplashForm::logoRect() const
{
    return QRect(kLogoAt, QSize(kLogoSize, kLogoSize));
}

void TSplashForm::mousePressEvent(QMouseEvent* event)
{
    if (logoRect().contains(event->position().toPoint()) && !webAddress_.isEmpty())
        QDesktopServices::openUrl(WebAddressUrl(webAddress_));
    QWidget::mousePressEvent(event);
}

void TSplashForm::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawImage(kLogoAt, DrawQvIcon(QvIcon::Program, kLogoSize));
}

} // namespace qv
