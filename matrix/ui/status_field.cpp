#include "status_field.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace qv {

void StatusField::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    drawFrame(&p);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), mode_, area.width());
    style()->drawItemText(&p, area, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}

} // namespace qv
