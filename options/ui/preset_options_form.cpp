#include "preset_options_form.h"

#include "config/config_image.h"
#include "config/label_text.h"
#include "config/preset_list.h"
#include "dialog_parts.h"
#include "options/live_options.h"
#include "options/preset_options.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qv {

namespace {
QGroupBox* Group(const QString& title, const char* name, QWidget* content, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    (new QVBoxLayout(box))->addWidget(content);
    return box;
}
} // namespace

TPresetOptionsForm::TPresetOptionsForm(ConfigImage& image, Prompter& prompter, LiveOptions& live, QWidget* parent)
    : QDialog(parent), image_(image), prompter_(prompter), live_(live)
{
    setObjectName(QStringLiteral("PresetOptionsForm"));
    setWindowTitle(QStringLiteral("Preset Options..."));
    setModal(true);

    PresetNameEdit = new QLineEdit(this);
    PresetNameEdit->setObjectName(QStringLiteral("PresetNameEdit"));
    PresetNameEdit->setMaxLength(kPresetNameLength);
    ComboStartupPreset = new QComboBox(this);
    ComboStartupPreset->setObjectName(QStringLiteral("ComboStartupPreset"));
    ComboStartupPreset->setMinimumContentsLength(int(std::string_view("Preset 11 - WWWWWWWWWW").size()));
    ComboStartupApplication = new QComboBox(this);
    ComboStartupApplication->setObjectName(QStringLiteral("ComboStartupApplication"));
    for (const char* name : kStartupApplications)
        ComboStartupApplication->addItem(QLatin1String(name));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Group(QStringLiteral("Preset Name."), "gbPresetName", PresetNameEdit, this));
    layout->addWidget(Group(QStringLiteral("Default Startup Preset."), "gbStartupPreset", ComboStartupPreset, this));
    layout->addWidget(Group(QStringLiteral("Default  Startup Application."), "gbStartupApplication",
                            ComboStartupApplication, this));
    connect(AddDialogButtons(*this, *layout).ok, &QPushButton::clicked, this, &TPresetOptionsForm::OKButtonClick);
}

bool TPresetOptionsForm::startupOffered() const
{
    return image_.imageVersion() >= kStartupFromVersion && !live_.connected();
}

void TPresetOptionsForm::FormShow()
{
    PresetNameEdit->setText(Latin1(image_.presetName(image_.selectedPreset())));
    ComboStartupPreset->clear();
    for (const std::string& entry : PresetListEntries(image_))
        ComboStartupPreset->addItem(Latin1(entry));
    const bool offered = startupOffered();
    ComboStartupPreset->setEnabled(offered);
    ComboStartupApplication->setEnabled(offered);
    if (offered) {
        ComboStartupPreset->setCurrentIndex(StoredStartupPreset(image_));
        ComboStartupApplication->setCurrentIndex(StoredStartupApplication(image_));
    } else {
        // "Preset 1" and "Full Feature Mode": what the instrument starts with.
        ComboStartupPreset->setCurrentIndex(0);
        ComboStartupApplication->setCurrentIndex(1);
    }
    PresetNameEdit->selectAll();
    PresetNameEdit->setFocus();
}

void TPresetOptionsForm::OKButtonClick()
{
    const std::string typed = TypedText(PresetNameEdit->text());
    if (!CheckText(typed, prompter_))
        return;
    const std::string name = FitText(typed, kPresetNameLength);
    const int preset = image_.selectedPreset();
    if (live_.connected()) {
        if (!live_.writePresetName(preset, name))
            prompter_.error(kNotWrittenText);
    }
    image_.setPresetName(preset, name);
    if (startupOffered())
        StoreStartup(image_, ComboStartupPreset->currentIndex(), ComboStartupApplication->currentIndex());
    accept();
}

} // namespace qv
