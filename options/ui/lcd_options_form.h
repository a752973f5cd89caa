#pragma once

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;
class QSlider;

namespace qv {

class ConfigImage;

// "LCD Options": the backlight intensity and which presets use the colour
// theme. OK hands the backlight to the main window's slider as well.
class TLCDOptionsForm : public QDialog {
    Q_OBJECT

public:
    // setMainBacklight moves the main window's backlight slider.
    TLCDOptionsForm(ConfigImage& image, std::function<void(int)> setMainBacklight, QWidget* parent = nullptr);

    void FormShow();

private:
    void OKButtonClick();

    ConfigImage& image_;
    std::function<void(int)> setMainBacklight_;
    QSlider* BacklightBar = nullptr;
    QListWidget* ThemeCheckList = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace qv
