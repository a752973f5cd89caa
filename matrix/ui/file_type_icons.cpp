#include "file_type_icons.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace qv {

namespace {

// The pictures are drawn on a 64-unit square (toolbar glyphs on 24 units)
// and scaled to the size asked for.
constexpr qreal kIconUnits = 64;
constexpr qreal kGlyphUnits = 24;

const QColor kInk(0x37, 0x41, 0x4F);

QColor bandColour(QvIcon icon)
{
    switch (icon) {
    case QvIcon::Macro: return QColor(0xD9, 0x82, 0x2B);
    case QvIcon::Package: return QColor(0x3C, 0x8D, 0x3C);
    default: return QColor(0x2F, 0x6D, 0xB5);
    }
}

const char* bandText(QvIcon icon)
{
    switch (icon) {
    case QvIcon::Macro: return "MCR";
    case QvIcon::Package: return "CDP";
    default: return "PRE";
    }
}

void drawMeter(QPainter& p)
{
    QLinearGradient back(0, 0, 0, 64);
    back.setColorAt(0, QColor(0x3A, 0x47, 0x55));
    back.setColorAt(1, QColor(0x1C, 0x23, 0x2B));
    p.setPen(QPen(QColor(0x11, 0x16, 0x1C), 1.5));
    p.setBrush(back);
    p.drawRoundedRect(QRectF(4, 4, 56, 56), 10, 10);
    // Two level bars of a stereo meter, segments green, yellow, red.
    const int lit[2] = {9, 7};
    for (int bar = 0; bar < 2; ++bar) {
        const qreal x = bar == 0 ? 17 : 35;
        for (int seg = 0; seg < 10; ++seg) {
            QColor c = seg >= 8 ? QColor(0xE5, 0x3B, 0x35) : seg >= 6 ? QColor(0xF5, 0xC2, 0x1B) : QColor(0x4C, 0xC9, 0x5A);
            if (seg >= lit[bar])
                c = c.darker(320);
            p.setPen(Qt::NoPen);
            p.setBrush(c);
            p.drawRoundedRect(QRectF(x, 50 - seg * 4.2, 12, 3.2), 1, 1);
        }
    }
}

// The meter with a download arrow in a green disc.
void drawUpdateBadge(QPainter& p)
{
    p.setPen(QPen(QColor(0x1E, 0x5E, 0x22), 1.5));
    p.setBrush(QColor(0x3C, 0x9D, 0x3C));
    p.drawEllipse(QPointF(46, 46), 14, 14);
    const QPointF arrow[] = {{42, 36}, {50, 36}, {50, 45}, {55, 45}, {46, 55}, {37, 45}, {42, 45}};
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(arrow, 7);
}

void drawPresetGlyph(QPainter& p, const QColor& colour)
{
    // A small routing matrix with a few crosspoints set.
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            const bool set = row == col || (row == 3 && col == 1);
            p.setPen(QPen(set ? colour.darker(130) : QColor(0x9A, 0xA5, 0xB1), 1.2));
            p.setBrush(set ? colour : Qt::white);
            p.drawEllipse(QPointF(20 + col * 7.5, 17 + row * 6.5), 2.6, 2.6);
        }
}

void drawMacroGlyph(QPainter& p, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    QPainterPath play;
    play.moveTo(17, 16);
    play.lineTo(26, 21.5);
    play.lineTo(17, 27);
    play.closeSubpath();
    p.drawPath(play);
    p.setPen(QPen(QColor(0x9A, 0xA5, 0xB1), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, 18), QPointF(44, 18));
    p.drawLine(QPointF(30, 25), QPointF(44, 25));
    p.drawLine(QPointF(17, 33), QPointF(44, 33));
}

void drawPackageGlyph(QPainter& p, const QColor& colour)
{
    const QPointF top[] = {{32, 13}, {45, 19}, {32, 25}, {19, 19}};
    const QPointF left[] = {{19, 19}, {32, 25}, {32, 39}, {19, 33}};
    const QPointF right[] = {{32, 25}, {45, 19}, {45, 33}, {32, 39}};
    p.setPen(QPen(colour.darker(150), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(colour.lighter(150));
    p.drawPolygon(top, 4);
    p.setBrush(colour);
    p.drawPolygon(left, 4);
    p.setBrush(colour.darker(120));
    p.drawPolygon(right, 4);
}

void drawDocument(QPainter& p, QvIcon icon)
{
    const QColor colour = bandColour(icon);
    QPainterPath page;
    page.moveTo(12, 4);
    page.lineTo(42, 4);
    page.lineTo(52, 14);
    page.lineTo(52, 60);
    page.lineTo(12, 60);
    page.closeSubpath();
    QLinearGradient paper(0, 4, 0, 60);
    paper.setColorAt(0, Qt::white);
    paper.setColorAt(1, QColor(0xE8, 0xEC, 0xF0));
    p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(paper);
    p.drawPath(page);

    const QPointF fold[] = {{42, 4}, {42, 14}, {52, 14}};
    p.setBrush(QColor(0xC9, 0xD1, 0xD9));
    p.drawPolygon(fold, 3);

    switch (icon) {
    case QvIcon::Macro: drawMacroGlyph(p, colour); break;
    case QvIcon::Package: drawPackageGlyph(p, colour); break;
    default: drawPresetGlyph(p, colour); break;
    }

    const QRectF band(12.75, 44, 38.5, 15.25);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(band);
    QFont font;
    font.setFamily("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(band, Qt::AlignCenter, bandText(icon));
}

// --- toolbar glyphs, on 24 units ---

void glyphFolder(QPainter& p)
{
    p.setPen(QPen(QColor(0x9C, 0x6B, 0x12), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xE8, 0xB3, 0x3C));
    QPainterPath back;
    back.moveTo(2.5, 6);
    back.lineTo(9, 6);
    back.lineTo(11, 8);
    back.lineTo(19.5, 8);
    back.lineTo(19.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(QColor(0xF6, 0xCF, 0x6A));
    const QPointF flap[] = {{5.5, 11}, {22, 11}, {19.5, 19.5}, {2.5, 19.5}};
    p.drawPolygon(flap, 4);
}

void glyphDisk(QPainter& p)
{
    p.setPen(QPen(QColor(0x1E, 0x3F, 0x6E), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(QColor(0x3B, 0x72, 0xB9));
    QPainterPath body;
    body.moveTo(3, 3);
    body.lineTo(18, 3);
    body.lineTo(21, 6);
    body.lineTo(21, 21);
    body.lineTo(3, 21);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE9, 0xEE, 0xF4));
    p.drawRect(QRectF(7, 3.6, 10, 6));
    p.setBrush(QColor(0x1E, 0x3F, 0x6E));
    p.drawRect(QRectF(13.5, 4.6, 2, 4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 13, 12, 7.4));
}

void glyphPencil(QPainter& p)
{
    p.save();
    p.translate(17, 17);
    p.rotate(-45);
    p.setPen(QPen(QColor(0x5A, 0x3A, 0x10), 0.9));
    p.setBrush(QColor(0xF2, 0xA6, 0x2E));
    p.drawRect(QRectF(-6, -2, 9, 4));
    const QPointF tip[] = {{3, -2}, {7, 0}, {3, 2}};
    p.setBrush(QColor(0xF3, 0xDD, 0xB4));
    p.drawPolygon(tip, 3);
    p.restore();
}

void glyphRemote(QPainter& p)
{
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), 1.2));
    p.setBrush(QColor(0x54, 0x63, 0x70));
    p.drawRoundedRect(QRectF(7, 9, 10, 13), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE5, 0x3B, 0x35));
    p.drawEllipse(QPointF(12, 12.5), 1.6, 1.6);
    p.setBrush(QColor(0xCF, 0xD8, 0xDC));
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            p.drawRect(QRectF(9.2 + j * 3.6, 15.5 + i * 3, 2, 1.6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x2F, 0x9E, 0x44), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(8, 3.5, 8, 8), 40 * 16, 100 * 16);
    p.drawArc(QRectF(5, 0.8, 14, 12), 45 * 16, 90 * 16);
}

void glyphInstrument(QPainter& p)
{
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), 1.2));
    p.setBrush(QColor(0x45, 0x53, 0x61));
    p.drawRoundedRect(QRectF(3, 14, 18, 8), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x7F, 0xD6, 0x8A));
    p.drawRect(QRectF(5.5, 16, 8, 4));
    p.setBrush(QColor(0xCF, 0xD8, 0xDC));
    p.drawEllipse(QPointF(17.5, 18), 1.5, 1.5);
}

void glyphArrow(QPainter& p, bool up)
{
    QPainterPath arrow;
    if (up) {
        arrow.moveTo(12, 1.5);
        arrow.lineTo(18.5, 7.5);
        arrow.lineTo(14.5, 7.5);
        arrow.lineTo(14.5, 12.5);
        arrow.lineTo(9.5, 12.5);
        arrow.lineTo(9.5, 7.5);
        arrow.lineTo(5.5, 7.5);
    } else {
        arrow.moveTo(12, 13);
        arrow.lineTo(18.5, 7);
        arrow.lineTo(14.5, 7);
        arrow.lineTo(14.5, 1.5);
        arrow.lineTo(9.5, 1.5);
        arrow.lineTo(9.5, 7);
        arrow.lineTo(5.5, 7);
    }
    arrow.closeSubpath();
    const QColor colour = up ? QColor(0x2F, 0x6D, 0xB5) : QColor(0xD9, 0x82, 0x2B);
    p.setPen(QPen(colour.darker(140), 1, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(arrow);
}

void glyphRestart(QPainter& p)
{
    const QColor colour(0x2F, 0x9E, 0x44);
    p.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 4.5, 15, 15), 110 * 16, 290 * 16);
    // Arrow head at the start of the arc (upper left).
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    const QPointF head[] = {{10.5, 1.0}, {14.5, 5.2}, {9.0, 8.2}};
    p.drawPolygon(head, 3);
}

void glyphSliders(QPainter& p)
{
    const qreal knobs[3] = {8, 15, 11};
    for (int i = 0; i < 3; ++i) {
        const qreal y = 6 + i * 6;
        p.setPen(QPen(QColor(0x54, 0x63, 0x70), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3, y), QPointF(21, y));
        p.setPen(QPen(QColor(0x1E, 0x3F, 0x6E), 1));
        p.setBrush(QColor(0x3B, 0x72, 0xB9));
        p.drawRoundedRect(QRectF(knobs[i] - 2, y - 2.8, 4, 5.6), 1, 1);
    }
}

void glyphExit(QPainter& p)
{
    p.setPen(QPen(QColor(0x5D, 0x40, 0x37), 1.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xA1, 0x88, 0x7F));
    p.drawRect(QRectF(3, 3, 11, 18));
    p.setBrush(QColor(0x8D, 0x6E, 0x63));
    const QPointF door[] = {{3, 3}, {10, 5.5}, {10, 22.5}, {3, 21}};
    p.drawPolygon(door, 4);
    p.setPen(QPen(QColor(0xC6, 0x28, 0x28), 2.4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.drawLine(QPointF(12, 12), QPointF(20, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC6, 0x28, 0x28));
    const QPointF head[] = {{23, 12}, {18.5, 7.5}, {18.5, 16.5}};
    p.drawPolygon(head, 3);
}

void glyphStep(QPainter& p, bool forward)
{
    QPainterPath arrow;
    arrow.moveTo(3, 12);
    arrow.lineTo(11, 4);
    arrow.lineTo(11, 8.5);
    arrow.lineTo(20.5, 8.5);
    arrow.lineTo(20.5, 15.5);
    arrow.lineTo(11, 15.5);
    arrow.lineTo(11, 20);
    arrow.closeSubpath();
    if (forward) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    const QColor colour(0x2F, 0x6D, 0xB5);
    p.setPen(QPen(colour.darker(140), 1, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(arrow);
}

// A meter scale going into a configuration page.
void glyphInsertScale(QPainter& p)
{
    p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 2.5, 12.5, 19));
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), 1));
    p.setBrush(QColor(0x1C, 0x23, 0x2B));
    p.drawRect(QRectF(12, 5, 7, 14));
    const QColor ticks[] = {QColor(0xE5, 0x3B, 0x35), Qt::white, Qt::white, Qt::white};
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(ticks[i], 1.2));
        p.drawLine(QPointF(13.5, 7.5 + i * 3.2), QPointF(17.5, 7.5 + i * 3.2));
    }
    QPainterPath arrow;
    arrow.moveTo(10.5, 12);
    arrow.lineTo(5.5, 7);
    arrow.lineTo(5.5, 10);
    arrow.lineTo(1, 10);
    arrow.lineTo(1, 14);
    arrow.lineTo(5.5, 14);
    arrow.lineTo(5.5, 17);
    arrow.closeSubpath();
    const QColor colour(0xD9, 0x82, 0x2B);
    p.setPen(QPen(colour.darker(140), 0.8, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(colour);
    p.drawPath(arrow);
}

QPixmap glyphPixmap(ToolGlyph glyph, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGlyphUnits, size / kGlyphUnits);
    switch (glyph) {
    case ToolGlyph::Open: glyphFolder(p); break;
    case ToolGlyph::Save: glyphDisk(p); break;
    case ToolGlyph::SaveAs:
        glyphDisk(p);
        glyphPencil(p);
        break;
    case ToolGlyph::Remote: glyphRemote(p); break;
    case ToolGlyph::Upload:
        glyphInstrument(p);
        glyphArrow(p, true);
        break;
    case ToolGlyph::Download:
        glyphInstrument(p);
        glyphArrow(p, false);
        break;
    case ToolGlyph::Restart: glyphRestart(p); break;
    case ToolGlyph::PresetOptions: glyphSliders(p); break;
    case ToolGlyph::Exit: glyphExit(p); break;
    case ToolGlyph::Previous: glyphStep(p, false); break;
    case ToolGlyph::Next: glyphStep(p, true); break;
    case ToolGlyph::InsertScale: glyphInsertScale(p); break;
    }
    return pixmap;
}

} // namespace

QImage DrawQvIcon(QvIcon icon, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / kIconUnits, size / kIconUnits);
    if (icon == QvIcon::Program || icon == QvIcon::Update)
        drawMeter(p);
    else
        drawDocument(p, icon);
    if (icon == QvIcon::Update)
        drawUpdateBadge(p);
    return image;
}

QIcon ToolbarIcon(ToolGlyph glyph)
{
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(glyphPixmap(glyph, size));
    return icon;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(DrawQvIcon(QvIcon::Program, size)));
    return icon;
}

} // namespace qv
