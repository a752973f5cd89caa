#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace qv {

class ConfigImage;
class LiveOptions;
class Prompter;

// "Preset Options...": the selected preset's name (written live in remote
// control) and the preset and application the instrument starts with.
class TPresetOptionsForm : public QDialog {
    Q_OBJECT

public:
    static constexpr char kNotWrittenText[] = "The preset name could not be written to the RVT.";

    TPresetOptionsForm(ConfigImage& image, Prompter& prompter, LiveOptions& live, QWidget* parent = nullptr);

    void FormShow();

private:
    void OKButtonClick();
    bool startupOffered() const;

    ConfigImage& image_;
    Prompter& prompter_;
    LiveOptions& live_;
    QLineEdit* PresetNameEdit = nullptr;
    QComboBox* ComboStartupPreset = nullptr;
    QComboBox* ComboStartupApplication = nullptr;
};

} // namespace qv
