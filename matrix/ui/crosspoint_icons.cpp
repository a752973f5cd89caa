#include "crosspoint_icons.h"

#include "matrix/grid_settings.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <functional>

namespace qv {

namespace {

using Draw = std::function<void(QPainter&)>;

QPixmap Icon(const Draw& draw)
{
    QPixmap pm(kIconSize, kIconSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pm;
}

// A filled disc with a darker rim, the common shape of routed crosspoints.
void Disc(QPainter& p, const QColor& fill, qreal r = 6.0)
{
    p.setPen(QPen(fill.darker(170), 1.2));
    p.setBrush(fill);
    p.drawEllipse(QPointF(8, 8), r, r);
}

void Letter(QPainter& p, const QString& text, const QColor& colour)
{
    QFont f;
    f.setPixelSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(colour);
    p.drawText(QRectF(0, 0, kIconSize, kIconSize), Qt::AlignCenter, text);
}

void Hatch(QPainter& p)
{
    p.fillRect(QRectF(0, 0, kIconSize, kIconSize), QColor(214, 214, 214));
    p.setPen(QPen(QColor(150, 150, 150), 1.0));
    for (int k = -kIconSize; k < kIconSize; k += 4)
        p.drawLine(QPointF(k, kIconSize), QPointF(k + kIconSize, 0));
}

void NoEntry(QPainter& p)
{
    Disc(p, QColor(220, 30, 30), 7.0);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
}

void Padlock(QPainter& p)
{
    p.setPen(QPen(QColor(60, 60, 60), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 7.5));
    p.drawLine(QPointF(11.5, 5.5), QPointF(11.5, 7.5));
    p.setPen(QPen(QColor(120, 80, 0), 1.0));
    p.setBrush(QColor(235, 175, 20));
    p.drawRoundedRect(QRectF(2.5, 7, 11, 8), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 45, 0));
    p.drawEllipse(QPointF(8, 10.3), 1.4, 1.4);
    p.drawRect(QRectF(7.4, 10.5, 1.2, 2.8));
}

void Check(QPainter& p)
{
    p.setPen(QPen(QColor(20, 150, 40), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(3, 8.5), QPointF(6.5, 12), QPointF(13, 4)}));
}

void Square(QPainter& p, const QColor& fill)
{
    p.setPen(QPen(fill.darker(180), 1.2));
    p.setBrush(fill);
    p.drawRect(QRectF(3, 3, 10, 10));
}

void Diamond(QPainter& p)
{
    p.setPen(QPen(QColor(170, 80, 0), 1.2));
    p.setBrush(QColor(255, 140, 0));
    p.drawPolygon(QPolygonF({QPointF(8, 1.5), QPointF(14.5, 8), QPointF(8, 14.5), QPointF(1.5, 8)}));
}

void Triangle(QPainter& p)
{
    p.setPen(QPen(QColor(80, 20, 110), 1.2));
    p.setBrush(QColor(150, 60, 200));
    p.drawPolygon(QPolygonF({QPointF(3, 2.5), QPointF(14, 8), QPointF(3, 13.5)}));
}

void Cross(QPainter& p)
{
    p.setPen(QPen(QColor(30, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void Ring(QPainter& p)
{
    p.setPen(QPen(QColor(0, 150, 170), 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(8, 8), 5.2, 5.2);
}

} // namespace

QVector<QPixmap> MakeCrosspointIcons()
{
    const Draw draws[kCrosspointIconCount] = {
        [](QPainter&) {},                                                           // 0 empty
        [](QPainter& p) { Disc(p, QColor(140, 140, 140), 3.5); },                   // 1 small grey dot
        Hatch,                                                                       // 2 illegal
        NoEntry,                                                                     // 3 illegal, flashed
        Padlock,                                                                     // 4 locked
        Check,                                                                       // 5 check mark
        [](QPainter& p) { Disc(p, QColor(30, 90, 220)); },                           // 6 set offline
        [](QPainter& p) { Square(p, QColor(245, 215, 40)); },                        // 7 yellow square
        [](QPainter& p) {                                                            // 8 remote
            Disc(p, QColor(30, 170, 60));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
        },
        Diamond,                                                                     // 9
        Triangle,                                                                    // 10
        Cross,                                                                       // 11
        Ring,                                                                        // 12
        [](QPainter& p) {                                                            // 13 local
            Disc(p, QColor(235, 90, 20), 7.0);
            Letter(p, QStringLiteral("L"), Qt::white);
        },
        // More choices for the Options dialog.
        [](QPainter& p) { Disc(p, QColor(210, 40, 40)); },                           // 14 red disc
        [](QPainter& p) { Disc(p, QColor(140, 60, 190)); },                          // 15 purple disc
        [](QPainter& p) { Disc(p, QColor(0, 170, 190)); },                           // 16 cyan disc
        [](QPainter& p) { Disc(p, QColor(40, 40, 40)); },                            // 17 black disc
        [](QPainter& p) { Square(p, QColor(40, 170, 70)); },                         // 18 green square
        [](QPainter& p) { Square(p, QColor(40, 100, 220)); },                        // 19 blue square
        [](QPainter& p) { Square(p, QColor(215, 45, 45)); },                         // 20 red square
        [](QPainter& p) {                                                            // 21 remote, lettered
            Disc(p, QColor(30, 150, 60), 7.0);
            Letter(p, QStringLiteral("R"), Qt::white);
        },
        [](QPainter& p) {                                                            // 22 set, lettered
            Disc(p, QColor(30, 90, 220), 7.0);
            Letter(p, QStringLiteral("S"), Qt::white);
        },
        [](QPainter& p) { Disc(p, QColor(30, 90, 220), 3.5); },                      // 23 small blue dot
        [](QPainter& p) {                                                            // 24 blue ring with dot
            Ring(p);
            Disc(p, QColor(0, 150, 170), 2.0);
        },
        [](QPainter& p) {                                                            // 25 red ring
            p.setPen(QPen(QColor(210, 40, 40), 2.4));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(8, 8), 5.2, 5.2);
        },
    };
    QVector<QPixmap> icons;
    for (const Draw& d : draws)
        icons.push_back(Icon(d));
    return icons;
}

} // namespace qv
