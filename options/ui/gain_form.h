#pragma once

#include "matrix/remote_timer.h"
#include "options/gain_options.h"

#include <QDialog>
#include <QList>
#include <QTimer>

#include <map>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace qv {

class ConfigImage;
class LiveOptions;
class Prompter;

// "Set Gain.": the gain of the selected outputs or a group gain, stored in
// the image, or in remote control set live with ".SG" for every selected
// output. "Auto update." sends the value 500 ms after the last step.
class TGainForm : public QDialog {
    Q_OBJECT

public:
    static constexpr int kAutoUpdateMs = 500;

    // startTimer runs the auto update's one-shot timer; unset, the dialog's
    // own Timer1 does.
    TGainForm(ConfigImage& image, Prompter& prompter, LiveOptions& live, StartTimer startTimer,
              QWidget* parent = nullptr);

    // The mode, the value the field starts with and the selected outputs.
    void FormShow(GainMode mode, int tenths, const QList<int>& outputs);
    GainMode mode() const { return mode_; }

    // SpinButton1 and the mouse wheel: +1 up, -1 down.
    void step(int direction);
    // The auto update's timer ran out.
    void Timer1Timer();

    void reject() override;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void OKButtonClick();
    void CheckBox1Click();
    // Stores or sends the field's value; false when it does not read.
    bool apply(bool fromTimer);
    void startTimer();
    void stopTimer() { ++timerRun_; Timer1.stop(); }

    ConfigImage& image_;
    Prompter& prompter_;
    LiveOptions& live_;
    StartTimer startTimer_;
    QTimer Timer1;
    int timerRun_ = 0; // a run started before the last stop does nothing
    GainMode mode_ = GainMode::Output;
    std::vector<int> outputs_;
    // Gains the instrument had before the auto update changed them, put
    // back when the dialog is cancelled.
    std::map<int, int> sentBefore_;

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QToolButton* SpinUp = nullptr;
    QToolButton* SpinDown = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};

} // namespace qv
