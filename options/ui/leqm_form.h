#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace qv {

class ConfigImage;

// "Graphic Leq(m) Options.": graph and sum colours and the trip level of
// the selected preset.
class TLeqmForm : public QDialog {
    Q_OBJECT

public:
    explicit TLeqmForm(ConfigImage& image, QWidget* parent = nullptr);

    void FormShow();

private:
    void OKButtonClick();

    ConfigImage& image_;
    QComboBox* ColorBox = nullptr;
    QComboBox* ColorSumBox = nullptr;
    QSpinBox* LevelEdit = nullptr; // with its LevelUpDown arrows
    QPushButton* OKButton = nullptr;
};

} // namespace qv
