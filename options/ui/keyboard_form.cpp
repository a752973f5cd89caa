#include "keyboard_form.h"

#include "matrix/ui/matrix_settings.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace qv {

namespace {
constexpr int kMargin = 6;
}

QPixmap SoftkeyPicture(int key)
{
    QPixmap pm(TKeyboardForm::kKeyWidth, TKeyboardForm::kKeyHeight);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(pm.rect()).adjusted(1, 1, -1, -2);
    QLinearGradient shade(body.topLeft(), body.bottomLeft());
    shade.setColorAt(0, QColor(0x6A, 0x6E, 0x75));
    shade.setColorAt(1, QColor(0x2E, 0x31, 0x36));
    p.setPen(QPen(QColor(0x1A, 0x1C, 0x1F), 1.2));
    p.setBrush(shade);
    p.drawRoundedRect(body, 4, 4);
    p.setPen(QColor(0xE8, 0xEA, 0xED));
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(12);
    p.setFont(font);
    p.drawText(body, Qt::AlignCenter, QString::number(key));
    return pm;
}

TKeyboardForm::TKeyboardForm(std::function<Softkeys::PressKey()> link, Clock& clock, Prompter& prompter,
                             KeyboardWindowSettings& settings, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint), keys_(std::move(link), clock, prompter),
      settings_(settings)
{
    setObjectName("KeyboardForm");
    setWindowTitle("RVT Keys.");
    setFocusPolicy(Qt::StrongFocus);
    for (int k = 0; k < Softkeys::kCount; ++k) {
        ImageKey[k] = new QLabel(this);
        ImageKey[k]->setObjectName(QStringLiteral("ImageKey%1").arg(k + 1));
        ImageKey[k]->setPixmap(SoftkeyPicture(k + 1));
        ImageKey[k]->setGeometry(kMargin + k * kKeyPitch, kMargin, kKeyWidth, kKeyHeight);
        ImageKey[k]->setCursor(Qt::PointingHandCursor);
        ImageKey[k]->setToolTip(QStringLiteral("Softkey %1 (F%1)").arg(k + 1));
        ImageKey[k]->installEventFilter(this);
    }
    setFixedSize(2 * kMargin + (Softkeys::kCount - 1) * kKeyPitch + kKeyWidth, 2 * kMargin + kKeyHeight);
    // Placed at the main window's corner until the settings place it.
    if (mainWindow)
        move(mainWindow->pos());
}

void TKeyboardForm::ImageKeyClick(int key)
{
    keys_.click(key);
}

bool TKeyboardForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int k = 0; k < Softkeys::kCount; ++k) {
            if (watched == ImageKey[k]) {
                ImageKeyClick(k + 1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TKeyboardForm::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (event->modifiers() == Qt::NoModifier && key >= Qt::Key_F1 && key < Qt::Key_F1 + Softkeys::kCount) {
        keys_.press(key - Qt::Key_F1 + 1);
        return;
    }
    if (key == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TKeyboardForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    settings_.visible = true;
}

void TKeyboardForm::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // Hidden by the window system (the main window minimised) it comes back.
    if (!event->spontaneous())
        settings_.visible = false;
}

void TKeyboardForm::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    settings_.left = x();
    settings_.top = y();
}

} // namespace qv
