#include "ppm_option_form.h"

#include "config/config_image.h"
#include "dialog_parts.h"
#include "options/colour_lists.h"
#include "options/live_options.h"
#include "platform/host/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

TPPMOptionForm::TPPMOptionForm(ConfigImage& image, Prompter& prompter, LiveOptions& live, QWidget* parent)
    : QDialog(parent), image_(image), prompter_(prompter), live_(live)
{
    setObjectName(QStringLiteral("PPMOptionForm"));
    setWindowTitle(QStringLiteral("PPM Options"));
    setModal(true);

    ColorBox = NewColourList(QStringLiteral("ColorBox"), this);
    ColorUnderload = NewColourList(QStringLiteral("ColorUnderload"), this);
    ColorTrace = NewColourList(QStringLiteral("ColorTrace"), this);
    ComboWidth = new QComboBox(this);
    ComboWidth->setObjectName(QStringLiteral("ComboWidth"));
    ComboWidth->addItems({QStringLiteral("Normal"), QStringLiteral("Wide"), QStringLiteral("X-Wide")});
    CheckSpace = new QCheckBox(QStringLiteral("Add a space at the right side of the PPM."), this);
    CheckSpace->setObjectName(QStringLiteral("CheckSpace"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("PPM Colour.:"), ColorBox);
    form->addRow(QStringLiteral("PPM Underload Colour.:"), ColorUnderload);
    form->addRow(QStringLiteral("PPM Trace Colour.:"), ColorTrace);
    form->addRow(QStringLiteral("PPM Width.:"), ComboWidth);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(CheckSpace);
    layout->addSpacing(6);
    OKButton = AddDialogButtons(*this, *layout).ok;
    connect(OKButton, &QPushButton::clicked, this, &TPPMOptionForm::OKButtonClick);

    // Each control marks its own field as changed by the user.
    const std::pair<QComboBox*, PpmField> lists[] = {{ColorBox, PpmField::BarColour},
                                                     {ColorTrace, PpmField::TraceColour},
                                                     {ColorUnderload, PpmField::UnderloadColour},
                                                     {ComboWidth, PpmField::Width}};
    for (auto [list, field] : lists)
        connect(list, &QComboBox::currentIndexChanged, this, [this, field = field] { changed_[size_t(field)] = true; });
    connect(CheckSpace, &QCheckBox::clicked, this, [this] {
        changed_[size_t(PpmField::Spacing)] = true;
        CheckSpace->setTristate(false); // greyed only until the user decides
    });
}

void TPPMOptionForm::showValue(QComboBox& list, PpmField field)
{
    const QSignalBlocker block(&list);
    const auto value = SharedPpmValue(image_, reference_, inputs_, field);
    list.setCurrentIndex(value && *value < list.count() ? *value : -1);
}

void TPPMOptionForm::FormShow(int reference, const QList<int>& ppmInputs, const QList<int>& ppmOutputs)
{
    reference_ = reference;
    inputs_.assign(ppmInputs.begin(), ppmInputs.end());
    outputs_.assign(ppmOutputs.begin(), ppmOutputs.end());

    const uint16_t version = image_.imageVersion();
    QStringList names;
    std::vector<uint32_t> colours;
    for (const std::string& name : PpmColourNames(version)) {
        names << QString::fromStdString(name);
        colours.push_back(PpmColourRgb(name));
    }
    for (QComboBox* list : {ColorBox, ColorUnderload, ColorTrace}) {
        FillColourList(*list, names, colours);
        list->setMaxVisibleItems(PpmColourListLines(version));
        list->setEnabled(true);
    }
    showValue(*ComboWidth, PpmField::Width);
    showValue(*ColorBox, PpmField::BarColour);
    showValue(*ColorUnderload, PpmField::UnderloadColour);
    showValue(*ColorTrace, PpmField::TraceColour);
    {
        const QSignalBlocker block(CheckSpace);
        const auto spacing = SharedPpmValue(image_, reference_, inputs_, PpmField::Spacing);
        CheckSpace->setTristate(!spacing);
        CheckSpace->setCheckState(!spacing ? Qt::PartiallyChecked : *spacing ? Qt::Checked : Qt::Unchecked);
    }
    changed_.fill(false);
    OKButton->setFocus();
}

std::optional<int> TPPMOptionForm::shownValue(PpmField field) const
{
    auto index = [](const QComboBox* list) { return list->currentIndex() >= 0 ? std::optional(list->currentIndex()) : std::nullopt; };
    switch (field) {
    case PpmField::BarColour: return index(ColorBox);
    case PpmField::TraceColour: return index(ColorTrace);
    case PpmField::UnderloadColour: return index(ColorUnderload);
    case PpmField::Width: return index(ComboWidth);
    case PpmField::Spacing: return CheckSpace->checkState() == Qt::Checked ? 1 : 0;
    }
    return std::nullopt;
}

void TPPMOptionForm::OKButtonClick()
{
    std::vector<PpmChange> changes;
    for (PpmField field : kPpmFields)
        if (changed_[size_t(field)])
            changes.push_back({field, shownValue(field)});
    ApplyPpmOptions(image_, PpmTargets(inputs_, outputs_), changes);
    changed_.fill(false);
    if (live_.connected()) {
        live_.showWait(kUpdatingText);
        const bool written = live_.writeOptionsBlock();
        live_.pause(kTakeOverPauseMs);
        live_.takeOverConfiguration();
        live_.hideWait();
        if (!written)
            prompter_.error(kNotWrittenText);
    }
    image_.setModified(true);
    accept();
}

} // namespace qv
