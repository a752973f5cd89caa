#include "options_form.h"

#include "matrix/ui/crosspoint_icons.h"
#include "matrix/ui/file_types.h"
#include "matrix/ui/main_form.h"
#include "matrix/ui/matrix_grid.h"
#include "options/icon_roles.h"
#include "platform/host/prompter.h"
#include "platform/qt/help_key.h"
#include "dialog_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qv {

namespace {

struct RoleControl {
    IconRole role;
    const char* spin;
    const char* preview;
    const char* caption;
    const char* note; // a second caption line, or nothing
};
constexpr RoleControl kRoleControls[] = {
    {IconRole::OffLine, "SpinXpoint", "ImageXpoint", "Off-Line X-point Icon.", nullptr},
    {IconRole::IllegalGreyed, "SpinIllegalGrayed", "ImageIllegalGrayed", "Illegal X-point grayed.", nullptr},
    {IconRole::Illegal, "SpinIllegal", "ImageIllegal", "Illegal X-point Icon.", nullptr},
    {IconRole::Local, "SpinLocalXpoint", "ImageLocalXpoint", "On-Line X-point Icon.", "(Set locally on RVT.)"},
    {IconRole::Remote, "SpinRemoteXpoint", "ImageRemoteXpoint", "On-Line X-point Icon.", "(Set remotely on PC.)"},
    {IconRole::Locked, "SpinLockedXpoint", "ImageLockedXpoint", "Locked X-point Icon.", nullptr},
};

struct FileTypeEntry {
    const char* ext;
    const char* caption;
};
constexpr FileTypeEntry kFileTypes[] = {
    {"PRE", "Configuration Files (*.PRE)"},
    {"MCR", "Macro Files (*.MCR)"},
    {"CDP", "Compiled Distribution Packages (*.CDP)"},
};

// The colour box: the standard and extended colours, then the desktop's
// own, each with its name.
struct NamedColour {
    const char* name;
    uint32_t rgb;
};
constexpr NamedColour kFixedColours[] = {
    {"Black", 0x000000},      {"Maroon", 0x800000},    {"Green", 0x008000},     {"Olive", 0x808000},
    {"Navy", 0x000080},       {"Purple", 0x800080},    {"Teal", 0x008080},      {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},     {"Red", 0xFF0000},       {"Lime", 0x00FF00},      {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},       {"Fuchsia", 0xFF00FF},   {"Aqua", 0x00FFFF},      {"White", 0xFFFFFF},
    {"Money Green", 0xC0DCC0}, {"Sky Blue", 0xA6CAF0}, {"Cream", 0xFFFBF0},     {"Medium Gray", 0xA4A0A0},
};
struct SystemColour {
    const char* name;
    QPalette::ColorRole role;
};
constexpr SystemColour kSystemColours[] = {
    {"Highlight", QPalette::Highlight},    {"Highlight Text", QPalette::HighlightedText},
    {"Window", QPalette::Window},          {"Window Text", QPalette::WindowText},
    {"Button Face", QPalette::Button},     {"Button Text", QPalette::ButtonText},
    {"Base", QPalette::Base},              {"Info Background", QPalette::ToolTipBase},
    {"Button Shadow", QPalette::Dark},     {"Button Highlight", QPalette::Light},
};

QIcon PaletteSwatch(uint32_t rgb)
{
    QPixmap pm(16, 12);
    pm.fill(QColor::fromRgb(rgb));
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    return QIcon(pm);
}

} // namespace

TOptionsForm::TOptionsForm(TMainForm& mainForm, MatrixGrid& grid, Prompter& prompter)
    : QDialog(&mainForm), mainForm_(mainForm), grid_(grid), prompter_(prompter), icons_(MakeCrosspointIcons())
{
    setObjectName("OptionsForm");
    setWindowTitle("Options.");
    setWindowModality(Qt::ApplicationModal);
    AddHelpKey(*this, prompter_, HelpTopic::Options);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buildMatrixGroup(layout);
    buildFileTypeGroup(layout);

    auto* OKButton = new QPushButton("OK", this);
    OKButton->setObjectName("OKButton");
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TOptionsForm::OKButtonClick);
    auto* CancelButton = new QPushButton("Cancel", this);
    CancelButton->setObjectName("CancelButton");
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* HelpButton = new QPushButton("Help", this);
    HelpButton->setObjectName("HelpButton");
    connect(HelpButton, &QPushButton::clicked, this, [this] { prompter_.showHelp(HelpTopic::Options); });
    auto* row = new QHBoxLayout;
    row->addWidget(HelpButton);
    row->addStretch();
    row->addWidget(OKButton);
    row->addWidget(CancelButton);
    layout->addLayout(row);
}

void TOptionsForm::buildMatrixGroup(QVBoxLayout* layout)
{
    auto* group = new QGroupBox("Matrix.", this);
    group->setObjectName("gbMatrix");
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(0, 1);

    CheckMatrixClick = new QCheckBox("Double click to set a X-Point.", group);
    CheckMatrixClick->setObjectName("CheckMatrixClick");
    grid->addWidget(CheckMatrixClick, 0, 0, 1, 3);
    CheckMouseTrace = new QCheckBox("Trace Mouse pointer.", group);
    CheckMouseTrace->setObjectName("CheckMouseTrace");
    connect(CheckMouseTrace, &QCheckBox::toggled, this, &TOptionsForm::CheckMouseTraceClick);
    grid->addWidget(CheckMouseTrace, 1, 0, 1, 3);
    lblTraceColour = new QLabel("Trace colour.:", group);
    lblTraceColour->setObjectName("lblTraceColour");
    ColorTrace = new QComboBox(group);
    ColorTrace->setObjectName("ColorTrace");
    lblTraceColour->setBuddy(ColorTrace);
    auto* colourRow = new QHBoxLayout;
    colourRow->addSpacing(20);
    colourRow->addWidget(lblTraceColour);
    colourRow->addWidget(ColorTrace, 1);
    grid->addLayout(colourRow, 2, 0, 1, 3);

    for (int k = 0; k < 6; ++k) {
        const RoleControl& c = kRoleControls[k];
        const QString caption = c.note ? QStringLiteral("%1\n%2").arg(c.caption, c.note) : QString(c.caption);
        auto* label = new QLabel(caption, group);
        previews_[k] = new QLabel(group);
        previews_[k]->setObjectName(c.preview);
        previews_[k]->setFixedSize(kPreviewSize, kPreviewSize);
        previews_[k]->setFrameShape(QFrame::Box);
        spins_[k] = new QSpinBox(group);
        spins_[k]->setObjectName(c.spin);
        spins_[k]->setRange(LowestIcon(c.role), HighestIcon());
        connect(spins_[k], &QSpinBox::valueChanged, this, [this, k](int icon) { spinChanged(k, icon); });
        grid->addWidget(label, 3 + k, 0);
        grid->addWidget(previews_[k], 3 + k, 1);
        grid->addWidget(spins_[k], 3 + k, 2);
    }
    layout->addWidget(group);
}

void TOptionsForm::buildFileTypeGroup(QVBoxLayout* layout)
{
    auto* group = new QGroupBox("Associated Filetypes.", this);
    group->setObjectName("gbFileTypes");
    auto* lines = new QVBoxLayout(group);
    ListFileAsc = new QListWidget(group);
    ListFileAsc->setObjectName("ListFileAsc");
    for (const FileTypeEntry& type : kFileTypes) {
        auto* item = new QListWidgetItem(QString::fromLatin1(type.caption), ListFileAsc);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setData(Qt::UserRole, QString::fromLatin1(type.ext));
    }
    ListFileAsc->setFixedHeight(ListFileAsc->sizeHintForRow(0) * 3 + 2 * ListFileAsc->frameWidth() + 4);
    connect(ListFileAsc, &QListWidget::itemChanged, this, [this] { fileTypesTouched_ = true; });
    lines->addWidget(ListFileAsc);
    CheckBoxFileAssociation =
        new QCheckBox("Automatically check for file associations when QV-Matrix starts.", group);
    CheckBoxFileAssociation->setObjectName("CheckBoxFileAssociation");
    lines->addWidget(CheckBoxFileAssociation);
    layout->addWidget(group);
}

void TOptionsForm::fillColours()
{
    const QSignalBlocker block(ColorTrace);
    ColorTrace->clear();
    for (const NamedColour& c : kFixedColours)
        ColorTrace->addItem(PaletteSwatch(c.rgb), QString::fromLatin1(c.name), c.rgb);
    const QPalette palette = this->palette();
    for (const SystemColour& c : kSystemColours) {
        const uint32_t rgb = palette.color(c.role).rgb() & 0xFFFFFF;
        ColorTrace->addItem(PaletteSwatch(rgb), QString::fromLatin1(c.name), rgb);
    }
}

void TOptionsForm::selectColour(uint32_t rgb)
{
    int index = ColorTrace->findData(rgb);
    if (index < 0) {
        // A colour of the settings file that no entry names is kept as it is.
        ColorTrace->addItem(PaletteSwatch(rgb), QStringLiteral("Custom"), rgb);
        index = ColorTrace->count() - 1;
    }
    ColorTrace->setCurrentIndex(index);
}

uint32_t TOptionsForm::chosenColour() const
{
    return ColorTrace->currentData().toUInt();
}

void TOptionsForm::showOptions()
{
    const MatrixSettings& settings = mainForm_.settings();
    iconsChanged_ = false;
    CheckMatrixClick->setChecked(settings.matrix.doubleClick);
    CheckBoxFileAssociation->setChecked(settings.checkFileAssociation);
    for (int k = 0; k < 6; ++k) {
        const int icon = IconOf(settings.matrix, kRoleControls[k].role);
        const QSignalBlocker block(spins_[k]);
        spins_[k]->setValue(icon);
        drawPreview(k, icon);
    }
    {
        const QSignalBlocker block(ListFileAsc);
        for (int row = 0; row < ListFileAsc->count(); ++row) {
            QListWidgetItem* item = ListFileAsc->item(row);
            item->setCheckState(mainForm_.isAssociated(item->data(Qt::UserRole).toString()) ? Qt::Checked
                                                                                           : Qt::Unchecked);
        }
    }
    fileTypesTouched_ = false;
    CheckMouseTrace->setChecked(settings.matrix.traceMouse);
    fillColours();
    selectColour(settings.matrix.traceColor);
    CheckMouseTraceClick();
    ShowOverParent(*this);
}

void TOptionsForm::CheckMouseTraceClick()
{
    lblTraceColour->setEnabled(CheckMouseTrace->isChecked());
    ColorTrace->setEnabled(CheckMouseTrace->isChecked());
}

void TOptionsForm::drawPreview(int role, int icon)
{
    QPixmap pm(kPreviewSize, kPreviewSize);
    pm.fill(Qt::white);
    QPainter p(&pm);
    // The empty cell first, then the icon, as the grid draws a cell.
    p.drawPixmap(kPreviewOffset, kPreviewOffset, icons_.value(0));
    p.drawPixmap(kPreviewOffset, kPreviewOffset, icons_.value(icon));
    p.end();
    previews_[role]->setPixmap(pm);
}

QImage TOptionsForm::preview(int role) const
{
    return previews_[role]->pixmap().toImage();
}

void TOptionsForm::spinChanged(int role, int icon)
{
    if (icon < spins_[role]->minimum() || icon > spins_[role]->maximum())
        return;
    drawPreview(role, icon);
    iconsChanged_ = true;
}

GridSettings TOptionsForm::chosen() const
{
    GridSettings s = mainForm_.settings().matrix;
    s.doubleClick = CheckMatrixClick->isChecked();
    for (int k = 0; k < 6; ++k)
        SetIcon(s, kRoleControls[k].role, spins_[k]->value());
    s.traceMouse = CheckMouseTrace->isChecked();
    s.traceColor = chosenColour();
    return s;
}

void TOptionsForm::OKButtonClick()
{
    const GridSettings settings = chosen();
    if (const std::optional<std::string> conflict = IconConflict(settings)) {
        prompter_.error(*conflict);
        return;
    }
    MatrixSettings& stored = mainForm_.settings();
    stored.matrix = settings;
    stored.checkFileAssociation = CheckBoxFileAssociation->isChecked();
    // The grid's cells follow their roles' new icons and it is drawn anew.
    grid_.renumberIcons(settings);
    if (fileTypesTouched_)
        applyFileTypes();
    accept();
}

void TOptionsForm::applyFileTypes()
{
    for (int row = 0; row < ListFileAsc->count(); ++row) {
        const QListWidgetItem* item = ListFileAsc->item(row);
        // A failure has been told; the restart note would then mislead.
        if (!mainForm_.setAssociation(item->data(Qt::UserRole).toString(), item->checkState() == Qt::Checked))
            return;
    }
    prompter_.information("You should restart windows for all the changes to take effect.");
}

} // namespace qv
