#pragma once

#include "options/softkeys.h"

#include <QWidget>

class QLabel;

namespace qv {

struct KeyboardWindowSettings;

// The instrument's eight softkeys in a small tool window that stays on top:
// a click on a key presses it on the instrument and holds the program
// while the instrument acts, F1 to F8 press at once, Esc closes. Its
// visibility and place are kept in the settings it is given.
class TKeyboardForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int kKeyPitch = 38; // pixels from one key to the next
    static constexpr int kKeyWidth = 34;
    static constexpr int kKeyHeight = 26;

    TKeyboardForm(std::function<Softkeys::PressKey()> link, Clock& clock, Prompter& prompter,
                  KeyboardWindowSettings& settings, QWidget* mainWindow);

    // A click on key image n (1 to 8).
    void ImageKeyClick(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    Softkeys keys_;
    KeyboardWindowSettings& settings_;
    QLabel* ImageKey[Softkeys::kCount] = {};
};

// The picture of softkey n.
QPixmap SoftkeyPicture(int key);

} // namespace qv
