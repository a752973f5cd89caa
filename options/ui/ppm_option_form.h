#pragma once

#include "options/ppm_options.h"

#include <QDialog>
#include <QList>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace qv {

class ConfigImage;
class LiveOptions;
class Prompter;

// "PPM Options": bar, underload and trace colour, bar width and spacing of
// the selected PPM channels of the selected preset. OK changes only the
// controls the user changed; in remote control the options block then goes
// to the instrument.
class TPPMOptionForm : public QDialog {
    Q_OBJECT

public:
    static constexpr char kUpdatingText[] = "Updating PPM Options";
    static constexpr char kNotWrittenText[] = "The PPM options could not be written to the RVT.";
    static constexpr int kTakeOverPauseMs = 250;

    TPPMOptionForm(ConfigImage& image, Prompter& prompter, LiveOptions& live, QWidget* parent = nullptr);

    // Fills the controls for a reference PPM channel and the selected PPM
    // inputs and outputs (channels 0..31).
    void FormShow(int reference, const QList<int>& ppmInputs, const QList<int>& ppmOutputs);

private:
    void OKButtonClick();
    void showValue(QComboBox& list, PpmField field);
    std::optional<int> shownValue(PpmField field) const;

    ConfigImage& image_;
    Prompter& prompter_;
    LiveOptions& live_;
    QComboBox* ColorBox = nullptr;
    QComboBox* ColorUnderload = nullptr;
    QComboBox* ColorTrace = nullptr;
    QComboBox* ComboWidth = nullptr;
    QCheckBox* CheckSpace = nullptr;
    QPushButton* OKButton = nullptr;
    std::vector<int> inputs_;
    std::vector<int> outputs_;
    int reference_ = 0;
    std::array<bool, kPpmFields.size()> changed_{};
};

} // namespace qv
