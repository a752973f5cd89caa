#include "leqm_form.h"

#include "config/config_image.h"
#include "dialog_parts.h"
#include "options/colour_lists.h"
#include "options/display_options.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qv {

TLeqmForm::TLeqmForm(ConfigImage& image, QWidget* parent) : QDialog(parent), image_(image)
{
    setObjectName(QStringLiteral("LeqmForm"));
    setWindowTitle(QStringLiteral("Graphic Leq(m) Options."));
    setModal(true);

    ColorBox = NewColourList(QStringLiteral("ColorBox"), this);
    ColorSumBox = NewColourList(QStringLiteral("ColorSumBox"), this);
    FillCodeColourList(*ColorBox);
    FillCodeColourList(*ColorSumBox);
    LevelEdit = new QSpinBox(this);
    LevelEdit->setObjectName(QStringLiteral("LevelEdit"));
    LevelEdit->setRange(kLeqTripMinimum, kLeqTripMaximum);

    auto* box = new QGroupBox(QStringLiteral("Leq(m) Colors."), this);
    box->setObjectName(QStringLiteral("gbLeqColors"));
    auto* form = new QFormLayout(box);
    form->addRow(QStringLiteral("Leq(m) Graph."), ColorBox);
    form->addRow(QStringLiteral("Leq(m) Sum."), ColorSumBox);
    form->addRow(QStringLiteral("Trip Level."), LevelEdit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    OKButton = AddDialogButtons(*this, *layout).ok;
    connect(OKButton, &QPushButton::clicked, this, &TLeqmForm::OKButtonClick);
}

void TLeqmForm::FormShow()
{
    const LeqOptions o = ReadLeqOptions(image_);
    ColorBox->setCurrentIndex(CodeColourIndexOr(o.graphCode, kLeqGraphDefaultCode));
    ColorSumBox->setCurrentIndex(CodeColourIndexOr(o.sumCode, kLeqSumDefaultCode));
    LevelEdit->setValue(o.tripLevel);
    OKButton->setFocus();
}

void TLeqmForm::OKButtonClick()
{
    LeqOptions o;
    const int graph = ColorBox->currentIndex();
    const int sum = ColorSumBox->currentIndex();
    o.graphCode = graph >= 0 ? kCodeColours[size_t(graph)].code : kLeqGraphDefaultCode;
    o.sumCode = sum >= 0 ? kCodeColours[size_t(sum)].code : kLeqSumDefaultCode;
    // A half-typed level reads as the nearest one the spin box allows.
    LevelEdit->interpretText();
    o.tripLevel = LevelEdit->value();
    StoreLeqOptions(image_, o);
    accept();
}

} // namespace qv
