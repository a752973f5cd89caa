#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace qv {

class ConfigImage;

// "Scale Options.": the PPM scale of the selected preset, peak hold and
// dual display.
class TScaleForm : public QDialog {
    Q_OBJECT

public:
    explicit TScaleForm(ConfigImage& image, QWidget* parent = nullptr);

    void FormShow();

private:
    void OKButtonClick();

    ConfigImage& image_;
    QComboBox* ScaleCombo = nullptr;
    QCheckBox* PeakCheck = nullptr;
    QCheckBox* DualCheck = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace qv
