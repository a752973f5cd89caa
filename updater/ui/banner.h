#pragma once

#include <QLabel>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

namespace qv {

// The banner's frame counter: 1 to 14, wrapping; counts 2 to 7 show that
// frame, every other count the rest frame 1.
class BannerAnimation {
public:
    static constexpr int kCounts = 14;
    static constexpr int kFrames = 7;
    static constexpr int kRestFrame = 1;

    // The next frame; false in running once the rest frame shows with a
    // stop request pending (the request is then cleared).
    int tick(bool& running);
    void requestStop() { stopRequested_ = true; }
    void start() { stopRequested_ = false; }
    bool stopRequested() const { return stopRequested_; }
    int frame() const { return frame_; }

private:
    int counter_ = 1;
    int frame_ = kRestFrame;
    bool stopRequested_ = false;
};

// pnlBanner: the logo and the spinning frames imgSpin_1 to imgSpin_7. It
// moves the borderless window when dragged; a double click opens the
// maker's web site; a right-click may open the advanced menu.
class TBanner : public QWidget {
    Q_OBJECT

public:
    static constexpr int kHeight = 64;

    explicit TBanner(QWidget* parent = nullptr);

    // Starts the animation at the given frame time.
    void startSpin(int frameMs);
    // The animation stops once it reaches its rest frame.
    void stopSpin() { animation_.requestStop(); }
    bool spinning() const { return tmrSpin->isActive(); }
    int frame() const { return animation_.frame(); }
    // One tick of tmrSpin.
    void tmrSpinTimer();

signals:
    void doubleClicked();
    void contextMenuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void showFrame(int frame);

    QLabel* imgLogo = new QLabel(this);
    std::array<QLabel*, BannerAnimation::kFrames> imgSpin{};
    QTimer* tmrSpin = new QTimer(this);
    BannerAnimation animation_;
    QPoint dragOffset_;
};

} // namespace qv
