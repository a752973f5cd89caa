#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace qv {

class ConfigImage;

// "Phase Options": oscilloscope colour, surround display style,
// phasemeter integration time and meter compressor of the selected preset.
// It changes the image only; nothing goes to the instrument.
class TScopForm : public QDialog {
    Q_OBJECT

public:
    explicit TScopForm(ConfigImage& image, QWidget* parent = nullptr);

    void FormShow();

private:
    void OKButtonClick();

    ConfigImage& image_;
    QComboBox* ColorBox = nullptr;
    QGroupBox* gbSurround = nullptr;
    QRadioButton* rdoJell = nullptr;
    QRadioButton* rdoStar = nullptr;
    QRadioButton* RadioSlow = nullptr;
    QRadioButton* RadioFast = nullptr;
    QCheckBox* CheckCompressor = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace qv
