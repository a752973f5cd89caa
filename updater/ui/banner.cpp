#include "banner.h"

#include <QContextMenuEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace qv {

namespace {

constexpr int kSpinSize = 44;
constexpr int kDots = 6;
const QColor kBannerTop(0x10, 0x2a, 0x5c);
const QColor kBannerBottom(0x24, 0x5c, 0xa8);

// Frame 1 rests with every dot dim; frames 2 to 7 light one dot each, so
// the ring turns.
QPixmap SpinFrame(int frame)
{
    QPixmap pixmap(kSpinSize, kSpinSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kSpinSize / 2.0, kSpinSize / 2.0);
    const double radius = kSpinSize / 2.0 - 7;
    for (int dot = 0; dot < kDots; ++dot) {
        const double angle = 2 * M_PI * dot / kDots - M_PI / 2;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
        const bool lit = frame - 2 == dot;
        painter.setPen(Qt::NoPen);
        painter.setBrush(lit ? QColor(0xff, 0xc8, 0x30) : QColor(255, 255, 255, 90));
        painter.drawEllipse(at, lit ? 5.5 : 4.0, lit ? 5.5 : 4.0);
    }
    return pixmap;
}

} // namespace

int BannerAnimation::tick(bool& running)
{
    counter_ = counter_ % kCounts + 1;
    frame_ = counter_ >= 2 && counter_ <= kFrames ? counter_ : kRestFrame;
    running = true;
    if (frame_ == kRestFrame && stopRequested_) {
        stopRequested_ = false;
        running = false;
    }
    return frame_;
}

TBanner::TBanner(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlBanner"));
    setFixedHeight(kHeight);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    QFont logoFont = imgLogo->font();
    logoFont.setPixelSize(26);
    logoFont.setBold(true);
    imgLogo->setFont(logoFont);
    imgLogo->setText(QStringLiteral("QV-Update"));
    imgLogo->setStyleSheet(QStringLiteral("color: white;"));
    imgLogo->setAttribute(Qt::WA_TransparentForMouseEvents);
    imgLogo->setGeometry(16, 6, 300, 34);
    for (int frame = 1; frame <= BannerAnimation::kFrames; ++frame) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("imgSpin_%1").arg(frame));
        label->setPixmap(SpinFrame(frame));
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->setFixedSize(kSpinSize, kSpinSize);
        imgSpin[size_t(frame - 1)] = label;
    }
    tmrSpin->setObjectName(QStringLiteral("tmrSpin"));
    connect(tmrSpin, &QTimer::timeout, this, &TBanner::tmrSpinTimer);
    showFrame(BannerAnimation::kRestFrame);
}

void TBanner::startSpin(int frameMs)
{
    animation_.start();
    tmrSpin->start(frameMs);
}

void TBanner::tmrSpinTimer()
{
    bool running = true;
    showFrame(animation_.tick(running));
    if (!running)
        tmrSpin->stop();
}

void TBanner::showFrame(int frame)
{
    for (int i = 0; i < BannerAnimation::kFrames; ++i)
        imgSpin[size_t(i)]->setVisible(i + 1 == frame);
}

void TBanner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, kBannerTop);
    gradient.setColorAt(1, kBannerBottom);
    painter.fillRect(rect(), gradient);
    painter.setPen(QColor(255, 255, 255, 160));
    QFont small = font();
    small.setPixelSize(11);
    painter.setFont(small);
    painter.drawText(QRect(18, kHeight - 22, 320, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Instrument software management"));
}

void TBanner::resizeEvent(QResizeEvent*)
{
    for (QLabel* label : imgSpin)
        label->move(width() - kSpinSize - 12, (kHeight - kSpinSize) / 2);
}

void TBanner::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragOffset_ = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
}

void TBanner::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        window()->move(event->globalPosition().toPoint() - dragOffset_);
}

void TBanner::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TBanner::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuRequested(event->globalPos());
}

} // namespace qv
