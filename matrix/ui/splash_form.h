#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace qv {

// The start-up splash: title, build line and a progress bar that
// identification may advance. The full splash with its timer comes with
// the About window.
class TSplashForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int kProgressMaximum = 2047;

    explicit TSplashForm(QWidget* parent = nullptr);

    QString buildText() const;
    void advance(int amount);
    // Hides the splash once window is on the screen.
    void finish(QWidget* window);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* lblBuild = nullptr;
    QProgressBar* ProgressBar = nullptr;
};

} // namespace qv
