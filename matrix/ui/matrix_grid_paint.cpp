// Drawing of the routing grid: label strips, cells, tracing, flash, the
// resting output label and the panning origin.
#include "matrix_grid.h"

#include "crosspoint_icons.h"
#include "grid_cursors.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <utility>
#include <vector>

namespace qv {

namespace {

const QColor kStripBackground(0xE9, 0xED, 0xF2);
const QColor kStripShade(0xDC, 0xE2, 0xEA);
const QColor kCellBackground(Qt::white);
const QColor kCellShade(0xF3, 0xF5, 0xF8);
const QColor kLine(0xCC, 0xD1, 0xD7);
const QColor kGroupLine(0x8C, 0x95, 0xA0);
const QColor kLabelText(0x1A, 0x1A, 0x1A);
const QColor kNumberText(0x5A, 0x64, 0x70);
const QColor kSelected(0xFF, 0xDC, 0x7A);
const QColor kRestingBox(0xAD, 0xD8, 0xE6); // light blue
const QColor kRestingRim(0x4A, 0x7A, 0x96);
constexpr int kGroup = 8;                     // channels between the darker lines
constexpr int kNumberBand = 13;               // channel numbers under the input labels

QFont PixelFont(int px, bool bold = false)
{
    QFont f;
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

// Labels are 8-bit text from the instrument; control bytes show as blanks.
QString LabelText(const std::string& label)
{
    QString s = QString::fromLatin1(label.data(), qsizetype(label.size()));
    for (QChar& c : s)
        if (c.unicode() < 0x20)
            c = QLatin1Char(' ');
    return s;
}

QColor TextOn(const QColor& background)
{
    return background.lightness() < 140 ? QColor(Qt::white) : kLabelText;
}

} // namespace

QColor MatrixGrid::traceColour() const
{
    const uint32_t rgb = settings().traceColor;
    return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

void MatrixGrid::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    // The strips and cells paint their own background; only the margin is left.
    const QRegion margin =
        QRegion(dirty) - QRect(0, 0, kLeftStrip + visibleColumns() * kCell, kTopStrip + visibleRows() * kCell);
    for (const QRect& r : margin)
        p.fillRect(r, palette().window());
    paintCorner(p);
    paintInputStrip(p, dirty);
    paintOutputStrip(p, dirty);
    paintCells(p, dirty);
    paintRestingLabel(p);
    paintPanOrigin(p);
}

void MatrixGrid::paintCorner(QPainter& p) const
{
    const QRect corner(0, 0, kLeftStrip - 1, kTopStrip - 1);
    p.fillRect(corner, kStripShade);
    p.setFont(PixelFont(10, true));
    p.setPen(kNumberText);
    p.drawText(corner.adjusted(0, 4, -4, 0), Qt::AlignRight | Qt::AlignTop, QStringLiteral("Inputs \u2192"));
    p.drawText(corner.adjusted(4, 0, 0, -3), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Outputs \u2193"));
    p.fillRect(QRect(0, kTopStrip - 1, kLeftStrip, 1), kGroupLine);
    p.fillRect(QRect(kLeftStrip - 1, 0, 1, kTopStrip), kGroupLine);
}

QPixmap MatrixGrid::labelTile(Channel c, bool selected, bool hovered, const QColor& bg) const
{
    // Text is the dearest part of a repaint, and labels change seldom: each
    // label is drawn once per look and kept.
    const std::string& label = c.isInput() ? model_.inputLabel(c.number - 1) : model_.outputLabel(c.number - 1);
    const qreal dpr = devicePixelRatioF();
    const QString key = QStringLiteral("%1%2|%3|%4%5|%6|%7")
                            .arg(c.isInput() ? 'I' : 'O')
                            .arg(c.number)
                            .arg(LabelText(label))
                            .arg(int(selected))
                            .arg(int(hovered))
                            .arg(bg.rgb())
                            .arg(dpr);
    if (auto it = labelTiles_.constFind(key); it != labelTiles_.constEnd())
        return *it;

    constexpr int kNumberWidth = 20;
    const QSize size = c.isInput() ? QSize(kIconSize, kTopStrip - 1) : QSize(kLeftStrip - 1, kIconSize);
    QPixmap tile(size * dpr);
    tile.setDevicePixelRatio(dpr);
    tile.fill(bg);
    QPainter p(&tile);
    const QFont labelFont = PixelFont(selected || hovered ? 13 : 11, selected || hovered);
    const QFont numberFont = PixelFont(9, hovered);
    const QColor labelPen = hovered ? TextOn(bg) : kLabelText;
    const QColor numberPen = hovered ? TextOn(bg) : kNumberText;
    if (c.isInput()) {
        const int labelHeight = kTopStrip - kNumberBand - 1;
        p.setFont(numberFont);
        p.setPen(numberPen);
        p.drawText(QRect(0, kTopStrip - kNumberBand, kIconSize, kNumberBand - 1), Qt::AlignCenter,
                   QString::number(c.number));
        // The label reads upwards, starting just above its number.
        p.translate(0, labelHeight);
        p.rotate(-90);
        p.setFont(labelFont);
        p.setPen(labelPen);
        p.drawText(QRect(2, 0, labelHeight - 3, kIconSize), Qt::AlignLeft | Qt::AlignVCenter, LabelText(label));
    } else {
        p.setFont(labelFont);
        p.setPen(labelPen);
        p.drawText(QRect(4, 0, kLeftStrip - kNumberWidth - 6, kIconSize), Qt::AlignLeft | Qt::AlignVCenter,
                   LabelText(label));
        p.setFont(numberFont);
        p.setPen(numberPen);
        p.drawText(QRect(kLeftStrip - kNumberWidth - 4, 0, kNumberWidth, kIconSize), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(c.number));
    }
    p.end();
    constexpr int kMaxTiles = 2000;
    if (labelTiles_.size() >= kMaxTiles)
        labelTiles_.clear();
    labelTiles_.insert(key, tile);
    return tile;
}

QColor MatrixGrid::labelBackground(int index, bool selected, bool hovered) const
{
    if (hovered)
        return traceColour();
    if (selected)
        return kSelected;
    return (index / kGroup) % 2 ? kStripShade : kStripBackground;
}

void MatrixGrid::paintInputStrip(QPainter& p, const QRect& dirty) const
{
    if (dirty.top() >= kTopStrip)
        return;
    const int first = hBar_->value();
    for (int c = 0; c < visibleColumns(); ++c) {
        const int i = first + c;
        const int x = kLeftStrip + c * kCell;
        if (x + kCell <= dirty.left() || x > dirty.right())
            continue;
        const Channel ch{Channel::Input, i + 1};
        const bool selected = selection_.isSelected(ch);
        const bool hovered = hover_.valid() && hover_.i == i && settings().traceMouse;
        p.drawPixmap(x, 0, labelTile(ch, selected, hovered, labelBackground(i, selected, hovered)));
        p.fillRect(QRect(x + kIconSize, 0, 1, kTopStrip - 1), (i + 1) % kGroup ? kLine : kGroupLine);
    }
    p.fillRect(QRect(kLeftStrip, kTopStrip - 1, visibleColumns() * kCell, 1), kGroupLine);
}

void MatrixGrid::paintOutputStrip(QPainter& p, const QRect& dirty) const
{
    if (dirty.left() >= kLeftStrip)
        return;
    const int first = vBar_->value();
    for (int r = 0; r < visibleRows(); ++r) {
        const int o = first + r;
        const int y = kTopStrip + r * kCell;
        if (y + kCell <= dirty.top() || y > dirty.bottom())
            continue;
        const Channel ch{Channel::Output, o + 1};
        const bool selected = selection_.isSelected(ch);
        const bool hovered = hover_.valid() && hover_.o == o && settings().traceMouse;
        p.drawPixmap(0, y, labelTile(ch, selected, hovered, labelBackground(o, selected, hovered)));
        p.fillRect(QRect(0, y + kIconSize, kLeftStrip - 1, 1), (o + 1) % kGroup ? kLine : kGroupLine);
    }
    p.fillRect(QRect(kLeftStrip - 1, kTopStrip, 1, visibleRows() * kCell), kGroupLine);
}

void MatrixGrid::paintCells(QPainter& p, const QRect& dirty) const
{
    const int columns = visibleColumns();
    const int rows = visibleRows();
    if (columns <= 0 || rows <= 0)
        return;
    const QRect area(kLeftStrip, kTopStrip, columns * kCell, rows * kCell);
    const QRect todo = dirty & area;
    if (todo.isEmpty())
        return;
    const int c0 = (todo.left() - kLeftStrip) / kCell;
    const int c1 = std::min(columns - 1, (todo.right() - kLeftStrip) / kCell);
    const int r0 = (todo.top() - kTopStrip) / kCell;
    const int r1 = std::min(rows - 1, (todo.bottom() - kTopStrip) / kCell);
    const int firstI = hBar_->value();
    const int firstO = vBar_->value();
    const QColor trace = traceColour();

    // Backgrounds in bulk (a full-screen grid has thousands of cells): the
    // 8 x 8 blocks in two shades, then the traced row and column.
    auto runs = [](int first, int from, int to) {
        std::vector<std::pair<int, int>> out; // visible index range of each group
        for (int k = from; k <= to; ++k)
            if (out.empty() || (first + k) % kGroup == 0)
                out.push_back({k, k});
            else
                out.back().second = k;
        return out;
    };
    const auto columnRuns = runs(firstI, c0, c1);
    const auto rowRuns = runs(firstO, r0, r1);
    for (const auto& [ra, rb] : rowRuns)
        for (const auto& [ca, cb] : columnRuns) {
            const bool shaded = ((firstI + ca) / kGroup + (firstO + ra) / kGroup) % 2;
            p.fillRect(QRect(kLeftStrip + ca * kCell, kTopStrip + ra * kCell, (cb - ca + 1) * kCell,
                             (rb - ra + 1) * kCell) &
                           todo,
                       shaded ? kCellShade : kCellBackground);
        }
    if (settings().traceMouse && hover_.valid()) {
        const QRect h = cellRect(hover_.i, hover_.o);
        if (!h.isNull()) {
            p.fillRect(QRect(kLeftStrip, h.top(), h.right() + 1 - kLeftStrip, kIconSize) & todo, trace);
            p.fillRect(QRect(h.left(), kTopStrip, kIconSize, h.bottom() + 1 - kTopStrip) & todo, trace);
        }
    }

    for (int r = r0; r <= r1; ++r) {
        const int o = firstO + r;
        const int y = kTopStrip + r * kCell;
        for (int c = c0; c <= c1; ++c) {
            const int i = firstI + c;
            const int icon = model_.cell(i, o);
            if (icon > 0 && icon < icons_.size())
                p.drawPixmap(kLeftStrip + c * kCell, y, icons_[icon]);
        }
    }
    if (flashing_) {
        const QRect f = cellRect(flashCell_.i, flashCell_.o);
        if (!f.isNull()) {
            if (flashPhase_ == FlashPhase::Empty) {
                p.fillRect(f, kCellBackground);
            } else {
                p.fillRect(f, settings().traceMouse ? trace : kCellBackground);
                const int icon = settings().illegalXpointHighlight;
                if (icon > 0 && icon < icons_.size())
                    p.drawPixmap(f.topLeft(), icons_[icon]);
            }
        }
    }

    // Grid lines: the 1-pixel line right of and below each cell, as fills
    // because pen lines cost far more on a large grid.
    const int right = kLeftStrip + (c1 + 1) * kCell - 1;
    const int bottom = kTopStrip + (r1 + 1) * kCell - 1;
    for (int c = c0; c <= c1; ++c) {
        const int x = kLeftStrip + c * kCell + kIconSize;
        p.fillRect(QRect(x, kTopStrip + r0 * kCell, 1, bottom - kTopStrip - r0 * kCell + 1),
                   (firstI + c + 1) % kGroup ? kLine : kGroupLine);
    }
    for (int r = r0; r <= r1; ++r) {
        const int y = kTopStrip + r * kCell + kIconSize;
        p.fillRect(QRect(kLeftStrip + c0 * kCell, y, right - kLeftStrip - c0 * kCell + 1, 1),
                   (firstO + r + 1) % kGroup ? kLine : kGroupLine);
    }
}

void MatrixGrid::paintRestingLabel(QPainter& p) const
{
    // Only from the fifth visible column on is there room to its left.
    constexpr int kFirstColumnWithRoom = 4;
    if (!resting_ || !hover_.valid() || hover_.i - hBar_->value() < kFirstColumnWithRoom)
        return;
    const QRect cell = cellRect(hover_.i, hover_.o);
    if (cell.isNull())
        return;
    QFont f;
    f.setPointSize(10);
    f.setBold(true);
    p.setFont(f);
    const QString text = LabelText(model_.outputLabel(hover_.o)).trimmed();
    const QFontMetrics fm(f);
    const int w = fm.horizontalAdvance(text) + 8;
    const int h = std::max(fm.height() + 2, kCell);
    QRect box(cell.left() - 2 - w, cell.center().y() - h / 2, w, h);
    box.moveLeft(std::max(box.left(), kLeftStrip));
    p.setPen(kRestingRim);
    p.setBrush(kRestingBox);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(kLabelText);
    p.drawText(box, Qt::AlignCenter, text);
}

void MatrixGrid::paintPanOrigin(QPainter& p) const
{
    if (!panning_)
        return;
    const QPixmap origin = GridCursorPixmap(QStringLiteral("CursorNone"));
    p.drawPixmap(panStart_ - QPoint(origin.width() / 2, origin.height() / 2), origin);
}

} // namespace qv
