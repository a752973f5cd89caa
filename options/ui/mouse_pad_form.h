#pragma once

#include "options/mouse_pad.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace qv {

class Prompter;

// The 640 x 480 area of the mouse pad: the instrument's screen as a
// picture, tracking the pointer.
class TMouseArea : public QWidget {
    Q_OBJECT

public:
    TMouseArea(MousePad& pad, QWidget* parent);

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    MousePad& pad_;
};

// The mouse pad window: pointer movement, buttons and the scroll wheel go
// to the instrument as DOT pointer commands, movements at most once per
// timer interval. Shown from the main window in debug mode.
class TMousePadForm : public QWidget {
    Q_OBJECT

public:
    // send: one DOT line to the instrument, its receive buffer cleared first.
    TMousePadForm(const Clock& clock, std::function<void(const std::string&)> send, Prompter& prompter,
                  QWidget* mainWindow);

    MousePad& pad() { return pad_; }
    QWidget* mouseArea() const { return MouseArea; }

    // The interval field's text is taken when editing ends.
    void TimerEditChange();
    void btnInfoClick();

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    QWidget* buildControls();
    void showState();
    void stepInterval(int by);

    MousePad pad_;
    Prompter& prompter_;
    TMouseArea* MouseArea = nullptr;
    QLabel* lblPositionX = nullptr;
    QLabel* lblPositionY = nullptr;
    QLabel* lblButton[3] = {};
    QLabel* lblWheel = nullptr;
    QRadioButton* rbClick = nullptr;
    QRadioButton* rbUpDown = nullptr;
    QLineEdit* TimerEdit = nullptr;
};

} // namespace qv
