#include "gain_form.h"

#include "config/config_image.h"
#include "dialog_parts.h"
#include "options/live_options.h"
#include "platform/host/prompter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

namespace qv {

namespace {
constexpr int kFieldLength = 5;

QToolButton* Arrow(Qt::ArrowType type, const char* name, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setArrowType(type);
    b->setAutoRepeat(true);
    b->setFixedSize(18, 12);
    return b;
}

// "output 35" or "outputs 35, 36".
std::string Outputs(const std::vector<int>& outputs)
{
    std::string text = outputs.size() == 1 ? "output " : "outputs ";
    for (size_t k = 0; k < outputs.size(); ++k)
        text += (k ? ", " : "") + std::to_string(outputs[k]);
    return text;
}
} // namespace

TGainForm::TGainForm(ConfigImage& image, Prompter& prompter, LiveOptions& live, StartTimer startTimer,
                     QWidget* parent)
    : QDialog(parent), image_(image), prompter_(prompter), live_(live), startTimer_(std::move(startTimer))
{
    setObjectName(QStringLiteral("GainForm"));
    setWindowTitle(QStringLiteral("Set Gain."));
    setModal(true);
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &TGainForm::Timer1Timer);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    Edit1 = new QLineEdit(GroupBox1);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(kFieldLength);
    Edit1->setAlignment(Qt::AlignRight);
    Edit1->setFixedWidth(Edit1->fontMetrics().horizontalAdvance(QStringLiteral("-00,00")) + 16);
    auto* spin = new QWidget(GroupBox1);
    spin->setObjectName(QStringLiteral("SpinButton1"));
    SpinUp = Arrow(Qt::UpArrow, "SpinUp", spin);
    SpinDown = Arrow(Qt::DownArrow, "SpinDown", spin);
    auto* spinLayout = new QVBoxLayout(spin);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    spinLayout->addWidget(SpinUp);
    spinLayout->addWidget(SpinDown);
    connect(SpinUp, &QToolButton::clicked, this, [this] { step(+1); });
    connect(SpinDown, &QToolButton::clicked, this, [this] { step(-1); });
    CheckBox1 = new QCheckBox(QStringLiteral("Auto update."), GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    connect(CheckBox1, &QCheckBox::clicked, this, &TGainForm::CheckBox1Click);

    auto* row = new QHBoxLayout;
    row->addWidget(Edit1);
    row->addWidget(spin);
    row->addSpacing(12);
    row->addWidget(CheckBox1);
    row->addStretch();
    GroupBox1->setLayout(row);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    const DialogButtons buttons = AddDialogButtons(*this, *layout);
    OKButton = buttons.ok;
    CancelButton = buttons.cancel;
    connect(OKButton, &QPushButton::clicked, this, &TGainForm::OKButtonClick);
    // The caption of the widest mode decides the width, so no mode clips its caption.
    GroupBox1->setTitle(QString::fromStdString(GainGroupCaption(GainMode::Analogue)));
    GroupBox1->setMinimumWidth(GroupBox1->sizeHint().width() + 24);
}

void TGainForm::FormShow(GainMode mode, int tenths, const QList<int>& outputs)
{
    stopTimer();
    mode_ = mode;
    outputs_.assign(outputs.begin(), outputs.end());
    std::sort(outputs_.begin(), outputs_.end());
    sentBefore_.clear();
    GroupBox1->setTitle(QString::fromStdString(GainGroupCaption(mode)));
    Edit1->setText(QString::fromStdString(GainFieldText(tenths / 10.0)));
    const bool remote = live_.connected();
    if (!remote)
        CheckBox1->setChecked(false);
    CheckBox1->setEnabled(remote);
    CancelButton->setEnabled(!CheckBox1->isChecked());
    Edit1->selectAll();
    Edit1->setFocus();
}

void TGainForm::CheckBox1Click()
{
    CancelButton->setEnabled(!CheckBox1->isChecked());
    if (!CheckBox1->isChecked())
        stopTimer();
}

void TGainForm::step(int direction)
{
    const auto text = StepGainText(Edit1->text().toStdString(), direction);
    if (!text)
        return;
    if (CheckBox1->isChecked())
        stopTimer();
    Edit1->setText(QString::fromStdString(*text));
    if (CheckBox1->isChecked())
        startTimer();
}

void TGainForm::startTimer()
{
    if (!startTimer_) {
        Timer1.start(kAutoUpdateMs);
        return;
    }
    const int run = ++timerRun_;
    QPointer<TGainForm> self(this);
    startTimer_(kAutoUpdateMs, [self, run] {
        if (self && self->timerRun_ == run)
            self->Timer1Timer();
    });
}

void TGainForm::Timer1Timer()
{
    stopTimer();
    if (CheckBox1->isChecked())
        apply(true);
}

void TGainForm::wheelEvent(QWheelEvent* event)
{
    const int dy = event->angleDelta().y();
    if (dy != 0)
        step(dy > 0 ? +1 : -1);
    event->accept();
}

bool TGainForm::apply(bool fromTimer)
{
    const auto tenths = GainTenths(Edit1->text().toStdString());
    if (!tenths) {
        prompter_.error(kInvalidGainMessage);
        return false;
    }
    if (!live_.connected()) {
        StoreGain(image_, mode_, outputs_, *tenths);
        return true;
    }
    std::vector<int> notSet;
    for (int n : outputs_) {
        // What the auto update changes, Cancel puts back.
        if (fromTimer && !sentBefore_.count(n))
            sentBefore_[n] = live_.liveGain(n);
        if (live_.setGain(n, *tenths) != GainReply::Taken)
            notSet.push_back(n);
    }
    if (!notSet.empty())
        prompter_.error("The gain of " + Outputs(notSet) + " was not set in the RVT.");
    return true;
}

void TGainForm::OKButtonClick()
{
    stopTimer();
    if (apply(false)) {
        sentBefore_.clear();
        accept();
    }
}

void TGainForm::reject()
{
    stopTimer();
    // Cancel changes nothing, also in the instrument.
    if (live_.connected())
        for (const auto& [output, tenths] : sentBefore_)
            live_.setGain(output, tenths);
    sentBefore_.clear();
    QDialog::reject();
}

} // namespace qv
