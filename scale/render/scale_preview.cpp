#include "scale/render/scale_preview.h"

#include "scale/scale_codes.h"
#include "scale/scale_stream.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <array>

namespace qv {

namespace {

const QColor kYellow(255, 255, 0);
constexpr int kFontHeight = 7;
constexpr int kLinePenWidth = 1;
constexpr int kMarkerPenWidth = 2;

struct LineStyle {
    QColor colour;
    Qt::PenStyle pen;
};

// By Kind − 1.
const std::array<LineStyle, kLastLineKind> kStyles = {{
    {Qt::white, Qt::SolidLine},
    {Qt::white, Qt::DotLine},
    {QColor(255, 0, 0), Qt::SolidLine},
    {QColor(255, 0, 0), Qt::DotLine},
    {kYellow, Qt::SolidLine},
    {kYellow, Qt::DotLine},
    {QColor(0, 128, 0), Qt::SolidLine},
    {QColor(255, 0, 0), Qt::SolidLine},
}};

constexpr uint16_t kUnderloadStyle = KindUnderLoad - 1;
constexpr uint16_t kOverloadStyle = KindOverload - 1;

// Draws text with its top left corner at (x, top).
void DrawTextAt(QPainter& painter, int x, int top, const QString& text)
{
    painter.drawText(QPoint(x, top + painter.fontMetrics().ascent()), text);
}

void DrawGroup(QPainter& painter, const ScaleTable& table, const ScaleLineGroup& group, PreviewMarkers& markers)
{
    // Styles from foreign tables beyond the list are drawn as plain lines.
    const LineStyle& style = group.style < kStyles.size() ? kStyles[group.style] : kStyles[0];
    const bool marker = group.style == kUnderloadStyle || group.style == kOverloadStyle;
    painter.setPen(QPen(style.colour, marker ? kMarkerPenWidth : kLinePenWidth, style.pen));
    const uint16_t mx = table[kWordHighest];
    const uint16_t mn = table[kWordLowest];
    for (uint16_t a : group.amplitudes) {
        const int y = PreviewY(table, a);
        if (group.style == kUnderloadStyle) {
            markers.underloadY = y;
            painter.drawLine(kMarkerX, y, kMarkerX, PreviewY(table, uint16_t(mn + 1)));
        } else if (group.style == kOverloadStyle) {
            markers.overloadY = y;
            painter.drawLine(kMarkerX, PreviewY(table, uint16_t(mx - 1)), kMarkerX, y);
        } else {
            painter.drawLine(kLineLeft, y, kLineRight, y);
        }
    }
}

// Labels pair with the amplitudes in stream order, the labelled groups
// coming first.
void DrawLabels(QPainter& painter, const ScaleTable& table, const ScaleStream& stream)
{
    painter.setPen(kYellow);
    size_t next = 0;
    for (const auto& group : stream.groups)
        for (uint16_t a : group.amplitudes) {
            if (next == stream.labels.size())
                return;
            const QString text = QString::fromLatin1(stream.labels[next++]);
            const int width = painter.fontMetrics().horizontalAdvance(text);
            DrawTextAt(painter, kLabelRight - width, PreviewY(table, a) - kLabelRise, text);
        }
}

} // namespace

QImage NewScalePreview()
{
    QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

bool RenderScalePreview(const ScaleTable& table, QImage& image, PreviewMarkers& markers)
{
    if (table[kWordHighest] == table[kWordLowest])
        return false;
    if (image.size() != QSize(kPreviewWidth, kPreviewHeight) || image.isNull())
        image = NewScalePreview();
    image.fill(Qt::black);
    // A new picture: markers of the previous one no longer apply.
    markers = {};

    QPainter painter(&image);
    QFont font = painter.font();
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(kFontHeight);
    painter.setFont(font);
    painter.setPen(kYellow);
    DrawTextAt(painter, 43, 4, QStringLiteral("L"));
    DrawTextAt(painter, 67, 16, QStringLiteral("R"));

    const ScaleStream stream = ReadScaleStream(table);
    for (const auto& group : stream.groups)
        DrawGroup(painter, table, group, markers);
    DrawLabels(painter, table, stream);
    painter.setPen(QPen(kYellow, kLinePenWidth, Qt::SolidLine));
    return true;
}

DrawScaleResult DrawScale(ScaleRecord& record, bool digital, std::string_view referenceText, QImage& image,
                          PreviewMarkers& markers, ScaleTable& table, std::string& error)
{
    if (!MakeScale(record, digital, referenceText, table, error))
        return DrawScaleResult::Failed;
    return RenderScalePreview(table, image, markers) ? DrawScaleResult::Drawn : DrawScaleResult::NotRedrawn;
}

} // namespace qv
