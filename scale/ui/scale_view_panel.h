#pragma once

#include "scale/preview_geometry.h"

#include <QImage>
#include <QWidget>

namespace qv {

// The scale editor's preview panel: the picture DrawScale made last, and
// the hints of its marker column.
class ScaleViewPanel : public QWidget {
    Q_OBJECT

public:
    explicit ScaleViewPanel(QWidget* parent = nullptr);

    // What DrawScale draws into and remembers.
    QImage& image() { return image_; }
    PreviewMarkers& markers() { return markers_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage image_;
    PreviewMarkers markers_;
};

} // namespace qv
