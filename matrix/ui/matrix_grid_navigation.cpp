// Scrolling the routing grid by arrow keys and by panning with the middle
// button or the space bar.
#include "matrix_grid.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <cstdlib>

namespace qv {

bool MatrixGrid::navigateKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool toEnd = modifiers & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Left:
        toEnd ? hBar_->setValue(hBar_->minimum()) : scrollBy(-kScrollStep, 0);
        return true;
    case Qt::Key_Right:
        toEnd ? hBar_->setValue(hBar_->maximum()) : scrollBy(kScrollStep, 0);
        return true;
    case Qt::Key_Up:
        toEnd ? vBar_->setValue(vBar_->minimum()) : scrollBy(0, -kScrollStep);
        return true;
    case Qt::Key_Down:
        toEnd ? vBar_->setValue(vBar_->maximum()) : scrollBy(0, kScrollStep);
        return true;
    default:
        return false;
    }
}

void MatrixGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space) {
        if (!event->isAutoRepeat()) {
            spaceHeld_ = true;
            startPanning(mousePos_);
        }
        event->accept();
        return;
    }
    if (navigateKey(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void MatrixGrid::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = false;
        stopPanningIfReleased();
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void MatrixGrid::scrollBy(int columns, int rows)
{
    if (columns)
        hBar_->setValue(hBar_->value() + columns);
    if (rows)
        vBar_->setValue(vBar_->value() + rows);
}

void MatrixGrid::setPanCursor(const QString& name)
{
    if (name == panCursor_)
        return;
    panCursor_ = name;
    setCursor(cursors_.value(name));
}

void MatrixGrid::startPanning(const QPoint& at)
{
    if (panning_)
        return;
    panning_ = true;
    panStart_ = at;
    setPanCursor(QStringLiteral("CursorNone"));
    panTimer_.start();
    update();
}

void MatrixGrid::stopPanningIfReleased()
{
    if (!panning_ || middleHeld_ || spaceHeld_)
        return;
    panning_ = false;
    panTimer_.stop();
    panCursor_.clear();
    unsetCursor();
    update();
}

void MatrixGrid::panStep()
{
    if (!panning_)
        return;
    const QPoint d = mousePos_ - panStart_;
    if (d.x() > kPanDeadZone)
        scrollBy(kScrollStep, 0);
    else if (d.x() < -kPanDeadZone)
        scrollBy(-kScrollStep, 0);
    if (d.y() > kPanDeadZone)
        scrollBy(0, kScrollStep);
    else if (d.y() < -kPanDeadZone)
        scrollBy(0, -kScrollStep);

    if (std::abs(d.x()) <= kPanCentreZone && std::abs(d.y()) <= kPanCentreZone)
        setPanCursor(QStringLiteral("CursorNone"));
    else if (std::abs(d.x()) >= std::abs(d.y()))
        setPanCursor(d.x() > 0 ? QStringLiteral("CursorRight") : QStringLiteral("CursorLeft"));
    else
        setPanCursor(d.y() > 0 ? QStringLiteral("CursorDown") : QStringLiteral("CursorUP"));
}

} // namespace qv
