#include "scale_form.h"

#include "config/config_image.h"
#include "config/preset_list.h"
#include "dialog_parts.h"
#include "options/preset_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

TScaleForm::TScaleForm(ConfigImage& image, QWidget* parent) : QDialog(parent), image_(image)
{
    setObjectName(QStringLiteral("ScaleForm"));
    setWindowTitle(QStringLiteral("Scale Options."));
    setModal(true);

    auto* box = new QGroupBox(QStringLiteral("PPM Scale."), this);
    box->setObjectName(QStringLiteral("gbScale"));
    ScaleCombo = new QComboBox(box);
    ScaleCombo->setObjectName(QStringLiteral("ScaleCombo"));
    ScaleCombo->setMinimumContentsLength(int(std::string_view("Scale #7 - WWWW").size()));
    PeakCheck = new QCheckBox(QStringLiteral("Peak Hold."), box);
    PeakCheck->setObjectName(QStringLiteral("PeakCheck"));
    DualCheck = new QCheckBox(QStringLiteral("Dual."), box);
    DualCheck->setObjectName(QStringLiteral("DualCheck"));
    auto* checks = new QHBoxLayout;
    checks->addWidget(PeakCheck);
    checks->addWidget(DualCheck);
    checks->addStretch();
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(ScaleCombo);
    boxLayout->addLayout(checks);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    OKButton = AddDialogButtons(*this, *layout).ok;
    connect(OKButton, &QPushButton::clicked, this, &TScaleForm::OKButtonClick);
}

void TScaleForm::FormShow()
{
    setWindowTitle(Latin1(PresetListEntry(image_, image_.selectedPreset())));
    ScaleCombo->clear();
    for (int slot = 1; slot <= kScaleChoices; ++slot)
        ScaleCombo->addItem(Latin1(ScaleEntry(image_, slot)));
    const int number = StoredScaleNumber(image_);
    ScaleCombo->setCurrentIndex(number < kScaleChoices ? number : -1);
    const ScaleFlags flags = StoredScaleFlags(image_);
    PeakCheck->setChecked(flags.peakHold);
    DualCheck->setChecked(flags.dual);
    OKButton->setFocus();
}

void TScaleForm::OKButtonClick()
{
    // A stored number without an entry stays as it is until one is chosen.
    if (ScaleCombo->currentIndex() >= 0)
        StoreScaleNumber(image_, ScaleCombo->currentIndex());
    StoreScaleFlags(image_, ScaleFlags{PeakCheck->isChecked(), DualCheck->isChecked()});
    accept();
}

} // namespace qv
