#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

namespace qv {

// The picture area of the screen grab: shows a 640 x 480 picture scaled to
// its size, reports mouse presses, moves and releases in LCD pixels and
// draws the chosen rectangle as a dotted outline that inverts what lies
// under it.
class LcdView : public QWidget {
    Q_OBJECT

public:
    explicit LcdView(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    // The outline in LCD pixels (right and bottom outside); an empty
    // rectangle draws nothing.
    void setOutline(const QRect& outline);
    const QRect& outline() const { return outline_; }
    // A point of the widget in LCD pixels.
    QPoint lcdPoint(const QPointF& at) const;

signals:
    void pressed(QPoint lcd);
    void moved(QPoint lcd);
    void released(QPoint lcd);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QRect outline_;
    bool pressed_ = false;
};

} // namespace qv
