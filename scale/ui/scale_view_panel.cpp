#include "scale_view_panel.h"

#include "scale/render/scale_preview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace qv {

ScaleViewPanel::ScaleViewPanel(QWidget* parent) : QWidget(parent), image_(NewScalePreview())
{
    setObjectName(QStringLiteral("ScaleViewPanel"));
    setFixedSize(kPreviewWidth, kPreviewHeight);
    setMouseTracking(true);
}

void ScaleViewPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
}

void ScaleViewPanel::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const auto hint = PreviewHint(at.x(), at.y(), markers_);
    const QString text = hint ? QString::fromLatin1(hint->data(), qsizetype(hint->size())) : QString();
    if (text == toolTip())
        return;
    setToolTip(text);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPosition().toPoint(), text, this);
}

} // namespace qv
