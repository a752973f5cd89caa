#include "scop_form.h"

#include "config/config_image.h"
#include "dialog_parts.h"
#include "options/colour_lists.h"
#include "options/ppm_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <tuple>

namespace qv {

namespace {
constexpr int kDefaultCode = 2; // green

QGroupBox* Group(const QString& title, const char* name, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// Two choices, one above the other, in a group box.
std::pair<QRadioButton*, QRadioButton*> Choices(QGroupBox* box, const QString& first, const char* firstName,
                                                const QString& second, const char* secondName)
{
    auto* a = new QRadioButton(first, box);
    a->setObjectName(QLatin1String(firstName));
    auto* b = new QRadioButton(second, box);
    b->setObjectName(QLatin1String(secondName));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(a);
    layout->addWidget(b);
    return {a, b};
}
} // namespace

TScopForm::TScopForm(ConfigImage& image, QWidget* parent) : QDialog(parent), image_(image)
{
    setObjectName(QStringLiteral("ScopForm"));
    setWindowTitle(QStringLiteral("Phase Options"));
    setModal(true);

    QGroupBox* colour = Group(QStringLiteral("Oscilloscope Colour"), "gbColour", this);
    ColorBox = NewColourList(QStringLiteral("ColorBox"), colour);
    FillCodeColourList(*ColorBox);
    (new QVBoxLayout(colour))->addWidget(ColorBox);

    gbSurround = Group(QStringLiteral("Surround Mode."), "gbSurround", this);
    std::tie(rdoJell, rdoStar) =
        Choices(gbSurround, QStringLiteral("Cloud-Form."), "rdoJell", QStringLiteral("Spoke-Form."), "rdoStar");
    QGroupBox* time = Group(QStringLiteral("Phasemeter Integration Time"), "gbIntegration", this);
    std::tie(RadioSlow, RadioFast) =
        Choices(time, QStringLiteral("Slow"), "RadioSlow", QStringLiteral("Fast"), "RadioFast");

    QGroupBox* compression = Group(QStringLiteral("Meter Compression"), "gbCompression", this);
    CheckCompressor = new QCheckBox(QStringLiteral("Compressor Off."), compression);
    CheckCompressor->setObjectName(QStringLiteral("CheckCompressor"));
    (new QVBoxLayout(compression))->addWidget(CheckCompressor);

    auto* grid = new QGridLayout;
    grid->addWidget(colour, 0, 0);
    grid->addWidget(compression, 0, 1);
    grid->addWidget(gbSurround, 1, 0);
    grid->addWidget(time, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    OKButton = AddDialogButtons(*this, *layout).ok;
    connect(OKButton, &QPushButton::clicked, this, &TScopForm::OKButtonClick);
}

void TScopForm::FormShow()
{
    const PhaseOptions o = ReadPhaseOptions(image_);
    ColorBox->setCurrentIndex(CodeColourIndexOr(o.colourCode, kDefaultCode));
    (o.slow ? RadioSlow : RadioFast)->setChecked(true);
    gbSurround->setEnabled(image_.imageVersion() >= kSurroundFromVersion);
    (o.spoke ? rdoStar : rdoJell)->setChecked(true);
    CheckCompressor->setChecked(o.compressorOff);
    OKButton->setFocus();
}

void TScopForm::OKButtonClick()
{
    PhaseOptions o;
    const int k = ColorBox->currentIndex();
    o.colourCode = k >= 0 ? kCodeColours[size_t(k)].code : kDefaultCode;
    o.slow = RadioSlow->isChecked();
    o.spoke = rdoStar->isChecked();
    o.compressorOff = CheckCompressor->isChecked();
    ApplyPhaseOptions(image_, o);
    accept();
}

} // namespace qv
