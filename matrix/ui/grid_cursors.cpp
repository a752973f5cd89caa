#include "grid_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

namespace qv {

namespace {

constexpr int kSize = 32;
constexpr QPointF kCentre(16, 16);

// An arrow pointing up from the centre, turned to its direction.
QPolygonF Arrow(qreal degrees, qreal from, qreal to, qreal head)
{
    QPolygonF a({QPointF(-2.5, -from), QPointF(-2.5, -to + head), QPointF(-head, -to + head), QPointF(0, -to),
                 QPointF(head, -to + head), QPointF(2.5, -to + head), QPointF(2.5, -from)});
    QTransform t;
    t.translate(kCentre.x(), kCentre.y());
    t.rotate(degrees);
    return t.map(a);
}

void Outlined(QPainter& p, const QPolygonF& shape)
{
    // Black with a white rim, legible on the white grid and on dark labels.
    p.setPen(QPen(Qt::white, 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(shape);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::black);
    p.drawPolygon(shape);
}

void CentreMark(QPainter& p)
{
    p.setPen(QPen(Qt::white, 3.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(kCentre, 3.5, 3.5);
    p.setPen(QPen(Qt::black, 1.2));
    p.drawEllipse(kCentre, 3.5, 3.5);
}

qreal Direction(const QString& name)
{
    if (name == QLatin1String("CursorRight"))
        return 90;
    if (name == QLatin1String("CursorDown"))
        return 180;
    if (name == QLatin1String("CursorLeft"))
        return 270;
    return 0;
}

} // namespace

QPixmap GridCursorPixmap(const QString& name)
{
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const bool centre = name != QLatin1String("CursorLeft") && name != QLatin1String("CursorRight") &&
                        name != QLatin1String("CursorUP") && name != QLatin1String("CursorDown");
    if (centre) {
        for (qreal d : {0.0, 90.0, 180.0, 270.0})
            Outlined(p, Arrow(d, 6, 14, 5));
    } else {
        Outlined(p, Arrow(Direction(name), 5, 15, 7));
    }
    CentreMark(p);
    return pm;
}

QCursor GridCursor(const QString& name)
{
    return QCursor(GridCursorPixmap(name), kSize / 2, kSize / 2);
}

} // namespace qv
