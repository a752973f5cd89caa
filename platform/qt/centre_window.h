#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qv {

// Moves a window so that it stands centred over another one, or over the
// primary screen when there is none.
inline void CentreWindow(QWidget& window, const QWidget* over)
{
    QRect area;
    if (over)
        area = over->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        window.move(area.center() - window.rect().center());
}

} // namespace qv
