#include "lcd_view.h"

#include "service/lcd_geometry.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace qv {

LcdView::LcdView(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kLcdWidth, kLcdHeight);
    setCursor(Qt::CrossCursor);
}

void LcdView::setPicture(const QImage& picture)
{
    picture_ = picture;
    update();
}

void LcdView::setOutline(const QRect& outline)
{
    outline_ = outline;
    update();
}

QPoint LcdView::lcdPoint(const QPointF& at) const
{
    return QPoint(int(std::lround(at.x() * kLcdWidth / std::max(width(), 1))),
                  int(std::lround(at.y() * kLcdHeight / std::max(height(), 1))));
}

void LcdView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(rect(), picture_);
    if (outline_.width() <= 0 || outline_.height() <= 0)
        return;
    const double sx = double(width()) / kLcdWidth;
    const double sy = double(height()) / kLcdHeight;
    const QRectF shown(outline_.left() * sx, outline_.top() * sy, (outline_.width() - 1) * sx,
                       (outline_.height() - 1) * sy);
    // White under Difference inverts the pixels: the outline shows on any picture.
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    p.setPen(QPen(Qt::white, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(shown);
}

void LcdView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    pressed_ = true;
    emit pressed(lcdPoint(event->position()));
}

void LcdView::mouseMoveEvent(QMouseEvent* event)
{
    if (pressed_)
        emit moved(lcdPoint(event->position()));
}

void LcdView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    emit released(lcdPoint(event->position()));
}

} // namespace qv
