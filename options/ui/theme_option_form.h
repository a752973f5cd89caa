#pragma once

#include "options/display_options.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace qv {

class ConfigImage;
class LiveOptions;
class Prompter;

// "LCD Options." of the theme: preset 1's theme switch and four colours of
// the LCD colour table, written into the image and patched live into the
// instrument. A service function: offered only in debug mode during remote
// control.
class TfrmThemeOption : public QDialog {
    Q_OBJECT

public:
    static constexpr char kNotWrittenText[] = "The theme could not be written to the RVT.";
    static constexpr int kTakeOverPauseMs = 500;

    // debugMode tells whether debug mode is on.
    TfrmThemeOption(ConfigImage& image, Prompter& prompter, LiveOptions& live, std::function<bool()> debugMode,
                    QWidget* parent = nullptr);

    // Whether the main window shows its "Theme" button now.
    bool offered() const;

    void FormShow();

private:
    void OKButtonClick();
    void ComboColorNameChange();
    void ColorBox1Change();

    ConfigImage& image_;
    Prompter& prompter_;
    LiveOptions& live_;
    std::function<bool()> debugMode_;
    ThemeCodes codes_{};
    QCheckBox* chkTheme = nullptr;
    QComboBox* ComboColorName = nullptr;
    QComboBox* ColorBox1 = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace qv
