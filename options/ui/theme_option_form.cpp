#include "theme_option_form.h"

#include "config/config_image.h"
#include "dialog_parts.h"
#include "options/colour_lists.h"
#include "options/live_options.h"
#include "platform/host/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {
constexpr int kThemeBit = 6;
} // namespace

TfrmThemeOption::TfrmThemeOption(ConfigImage& image, Prompter& prompter, LiveOptions& live,
                                 std::function<bool()> debugMode, QWidget* parent)
    : QDialog(parent), image_(image), prompter_(prompter), live_(live), debugMode_(std::move(debugMode))
{
    setObjectName(QStringLiteral("frmThemeOption"));
    setWindowTitle(QStringLiteral("LCD Options."));
    setModal(true);

    chkTheme = new QCheckBox(QStringLiteral("Enable theme on preset 1."), this);
    chkTheme->setObjectName(QStringLiteral("chkTheme"));

    auto* colours = new QGroupBox(QStringLiteral("Theme Colors."), this);
    colours->setObjectName(QStringLiteral("gbThemeColors"));
    ComboColorName = new QComboBox(colours);
    ComboColorName->setObjectName(QStringLiteral("ComboColorName"));
    for (const char* name : kThemeColourEntries)
        ComboColorName->addItem(QLatin1String(name));
    ColorBox1 = NewColourList(QStringLiteral("ColorBox1"), colours);
    QStringList names;
    std::vector<uint32_t> rgb;
    for (size_t code = 0; code < kThemeColourNames.size(); ++code) {
        names << QLatin1String(kThemeColourNames[code]);
        rgb.push_back(ColourCodeRgb(int(code)));
    }
    FillColourList(*ColorBox1, names, rgb);
    auto* row = new QHBoxLayout(colours);
    row->addWidget(ComboColorName);
    row->addWidget(ColorBox1);
    connect(ComboColorName, &QComboBox::currentIndexChanged, this, &TfrmThemeOption::ComboColorNameChange);
    connect(ColorBox1, &QComboBox::activated, this, &TfrmThemeOption::ColorBox1Change);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chkTheme);
    layout->addWidget(colours);
    OKButton = AddDialogButtons(*this, *layout).ok;
    connect(OKButton, &QPushButton::clicked, this, &TfrmThemeOption::OKButtonClick);
}

bool TfrmThemeOption::offered() const
{
    return live_.connected() && debugMode_();
}

void TfrmThemeOption::FormShow()
{
    chkTheme->setChecked(image_.bit(OptionsBlock(0), kThemeBit));
    codes_ = StoredThemeCodes(image_);
    {
        const QSignalBlocker block(ComboColorName);
        ComboColorName->setCurrentIndex(ScreenBackground);
    }
    ComboColorNameChange();
    OKButton->setFocus();
}

void TfrmThemeOption::ComboColorNameChange()
{
    const int entry = ComboColorName->currentIndex();
    const int code = entry >= 0 ? codes_[size_t(entry)] : -1;
    ColorBox1->setCurrentIndex(code >= 0 && code < ColorBox1->count() ? code : -1);
}

void TfrmThemeOption::ColorBox1Change()
{
    const int entry = ComboColorName->currentIndex();
    if (entry >= 0 && ColorBox1->currentIndex() >= 0)
        codes_[size_t(entry)] = uint8_t(ColorBox1->currentIndex());
}

void TfrmThemeOption::OKButtonClick()
{
    // The theme is the instrument's: the image, read from it, is not marked.
    const bool wasModified = image_.modified();
    image_.setBit(OptionsBlock(0), kThemeBit, chkTheme->isChecked());
    StoreThemeCodes(image_, codes_);
    image_.setModified(wasModified);
    if (live_.connected()) {
        bool written = live_.writeOptionsBlock();
        for (const BlockPatch& patch : ThemePatches(codes_))
            written = live_.patchBlock(patch.address, patch.bytes) && written;
        live_.pause(kTakeOverPauseMs);
        live_.takeOverConfiguration();
        if (!written)
            prompter_.error(kNotWrittenText);
    }
    accept();
}

} // namespace qv
