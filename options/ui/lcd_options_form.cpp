#include "lcd_options_form.h"

#include "config/config_image.h"
#include "config/preset_list.h"
#include "dialog_parts.h"
#include "options/display_options.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace qv {

TLCDOptionsForm::TLCDOptionsForm(ConfigImage& image, std::function<void(int)> setMainBacklight, QWidget* parent)
    : QDialog(parent), image_(image), setMainBacklight_(std::move(setMainBacklight))
{
    setObjectName(QStringLiteral("LCDOptionsForm"));
    setWindowTitle(QStringLiteral("LCD Options"));
    setModal(true);

    auto* backlight = new QGroupBox(QStringLiteral("Backlight intensity."), this);
    backlight->setObjectName(QStringLiteral("gbBacklight"));
    BacklightBar = new QSlider(Qt::Horizontal, backlight);
    BacklightBar->setObjectName(QStringLiteral("BacklightBar"));
    BacklightBar->setRange(0, kBacklightMaximum);
    BacklightBar->setPageStep(1);
    BacklightBar->setTickPosition(QSlider::TicksBelow);
    auto* grid = new QGridLayout(backlight);
    grid->addWidget(BacklightBar, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Min."), backlight), 1, 0, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("Max."), backlight), 1, 2, Qt::AlignRight);

    auto* theme = new QGroupBox(QStringLiteral("Theme."), this);
    theme->setObjectName(QStringLiteral("gbTheme"));
    ThemeCheckList = new QListWidget(theme);
    ThemeCheckList->setObjectName(QStringLiteral("ThemeCheckList"));
    // Eleven entries of "Preset 11 - " and ten characters without scrolling.
    const QFontMetrics metrics = ThemeCheckList->fontMetrics();
    ThemeCheckList->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Preset 11 - WWWWWWWWWW")) + 48);
    ThemeCheckList->setMinimumHeight(kPresetCount * (metrics.height() + 4) + 8);
    (new QVBoxLayout(theme))->addWidget(ThemeCheckList);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(backlight);
    layout->addWidget(theme);
    OKButton = AddDialogButtons(*this, *layout).ok;
    connect(OKButton, &QPushButton::clicked, this, &TLCDOptionsForm::OKButtonClick);
}

void TLCDOptionsForm::FormShow()
{
    BacklightBar->setValue(StoredBacklight(image_));
    ThemeCheckList->clear();
    for (int p = 0; p < kPresetCount; ++p) {
        auto* item = new QListWidgetItem(Latin1(PresetListEntry(image_, p)), ThemeCheckList);
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setCheckState(ThemeEnabled(image_, p) ? Qt::Checked : Qt::Unchecked);
    }
    OKButton->setFocus();
}

void TLCDOptionsForm::OKButtonClick()
{
    // Ticks changed alone still need saving: the flag follows what changed.
    bool changed = BacklightBar->value() != StoredBacklight(image_);
    const bool wasModified = image_.modified();
    image_.setLowByte(image_.addressTable().BacklightAdr, uint8_t(BacklightBar->value()));
    for (int p = 0; p < kPresetCount; ++p) {
        const bool ticked = ThemeCheckList->item(p)->checkState() == Qt::Checked;
        changed = changed || ticked != ThemeEnabled(image_, p);
        SetThemeEnabled(image_, p, ticked);
    }
    image_.setModified(wasModified || changed);
    setMainBacklight_(BacklightBar->value());
    accept();
}

} // namespace qv
