// The scale editor's menus, tool bar and fields.
#include "qv_scale_form.h"

#include "matrix/ui/file_type_icons.h"
#include "scale/scale_codes.h"
#include "scale_view_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace qv {

namespace {

// The 28 rows of "Scale lines.": two columns of 14, each row a label, the
// value, the style list and the label text, 9 pixels apart, the fields 4
// pixels above the label.
constexpr int kRowsPerColumn = 14;
constexpr int kFirstColumnX = 10;
constexpr int kSecondColumnX = 324;
constexpr int kFirstRowY = 22;
constexpr int kRowPitch = 22;
constexpr int kFieldRise = 4;
constexpr int kGap = 9;
constexpr int kLabelWidth = 35;
constexpr int kValueWidth = 50;
constexpr int kStyleWidth = 120;
constexpr int kTextWidth = 50;
constexpr int kFieldHeight = 21;
constexpr int kNoteLines = 7;

template <size_t N>
void FillList(QComboBox& list, const std::array<std::string_view, N>& texts)
{
    for (std::string_view text : texts)
        list.addItem(QString::fromLatin1(text.data(), qsizetype(text.size())));
}

QComboBox* NewList(const char* name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    return list;
}

QLineEdit* NewEdit(const QString& name, int maxLength, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

void TQVScaleForm::buildMenus()
{
    const auto command = [this](const char* name, const QString& text, const QString& hint, ToolGlyph glyph) {
        auto* action = new QAction(ToolbarIcon(glyph), text, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(hint);
        return action;
    };
    mnuOpen = command("mnuOpen", "&Open...", "Open Scale file...", ToolGlyph::Open);
    mnuSave = command("mnuSave", "&Save", "Save Scale file...", ToolGlyph::Save);
    mnuSaveAs = command("mnuSaveAs", "Save &As...", "Save Scale File As...", ToolGlyph::SaveAs);
    mnuClose = command("mnuClose", "Close", "Exit QV-Scale...", ToolGlyph::Exit);
    mnuNext = command("mnuNext", "&Next", "Select Next Scale...", ToolGlyph::Next);
    mnuPrevious = command("mnuPrevious", "&Previous", "Select Previous Scale...", ToolGlyph::Previous);
    mnuDownload = command("mnuDownload", "&Download", "Download Scale to Instrument...", ToolGlyph::Download);
    mnuInsertScale = command("mnuInsertScale", "Insert scale in current configuraton",
                             "Insert scale in current configuration...", ToolGlyph::InsertScale);
    actRestart = command("actRestart", "Restart Instrument", "Restart Instrument...", ToolGlyph::Restart);

    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    file->addActions({mnuOpen, mnuSave, mnuSaveAs});
    file->addSeparator();
    file->addAction(mnuClose);
    QMenu* scale = menuBar()->addMenu("&Scale");
    scale->setObjectName("mnuScale");
    scale->addActions({mnuNext, mnuPrevious});
    scale->addSeparator();
    scale->addActions({mnuDownload, mnuInsertScale});

    connect(mnuOpen, &QAction::triggered, this, &TQVScaleForm::OpenButtonClick);
    connect(mnuSave, &QAction::triggered, this, &TQVScaleForm::SaveButtonClick);
    connect(mnuSaveAs, &QAction::triggered, this, &TQVScaleForm::SaveAsButtonClick);
    connect(mnuClose, &QAction::triggered, this, &QWidget::close);
    connect(mnuNext, &QAction::triggered, this, &TQVScaleForm::NextButtonClick);
    connect(mnuPrevious, &QAction::triggered, this, &TQVScaleForm::PreviousButtonClick);
    connect(mnuDownload, &QAction::triggered, this, &TQVScaleForm::DownloadButtonClick);
    connect(mnuInsertScale, &QAction::triggered, this, &TQVScaleForm::mnuInsertScaleClick);
    connect(actRestart, &QAction::triggered, this, &TQVScaleForm::ToolButton2Click);
}

void TQVScaleForm::buildToolBar()
{
    QToolBar* bar = addToolBar("Tools");
    bar->setObjectName("ToolBar");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(24, 24));
    bar->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    const auto button = [bar](QAction* action, const char* name) {
        bar->addAction(action);
        bar->widgetForAction(action)->setObjectName(QString::fromLatin1(name));
    };
    button(mnuOpen, "OpenButton");
    button(mnuSave, "SaveButton");
    button(mnuSaveAs, "SaveAsButton");
    bar->addSeparator();
    button(mnuDownload, "DownloadButton");
    button(actRestart, "ToolButton2");
    button(mnuInsertScale, "btnInsertScale");
    bar->addSeparator();
    button(mnuPrevious, "PreviousButton");
    button(mnuNext, "NextButton");
    ScaleNoEdit = NewList("ScaleNoEdit", bar);
    ScaleNoEdit->setMaxVisibleItems(9);
    ScaleNoEdit->setMinimumContentsLength(int(ScaleListEntry(kScaleCount).size()) + 4);
    ScaleNoEdit->setToolTip("Scale");
    bar->addWidget(ScaleNoEdit);
    bar->addSeparator();
    button(mnuClose, "ExitButton");
    connect(ScaleNoEdit, &QComboBox::activated, this, &TQVScaleForm::ScaleNoEditChange);
}

void TQVScaleForm::buildParameters(QGroupBox& group)
{
    KeyNoBox = NewList("KeyNoBox", &group);
    FillList(*KeyNoBox, kKeyNoTexts);
    ShortNameEdit = NewEdit("ShortNameEdit", int(kMaxLabelLength), &group);
    ShortNameEdit->setFixedWidth(kValueWidth);
    ReferenceEdit = new QLineEdit("0", &group);
    ReferenceEdit->setObjectName("ReferenceEdit");
    ReferenceEdit->setFixedWidth(kValueWidth);
    DynamicsBox = NewList("DynamicsBox", &group);
    FillList(*DynamicsBox, kDynamicsTexts);
    Scaleflag = new QCheckBox("Digital Scale.", &group);
    Scaleflag->setObjectName("Scaleflag");
    DescriptionEdit = NewEdit("DescriptionEdit", 26, &group);
    DescriptionEdit->hide();

    auto* grid = new QGridLayout(&group);
    const auto caption = [&](const char* text, QWidget* field, int row, int column) {
        auto* label = new QLabel(text, &group);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1);
    };
    caption("Key No.:", KeyNoBox, 0, 0);
    caption("Short Name:", ShortNameEdit, 0, 2);
    caption("Reference:", ReferenceEdit, 0, 4);
    caption("Dynamics:", DynamicsBox, 1, 0);
    grid->addWidget(Scaleflag, 1, 2, 1, 4);
    grid->setColumnStretch(6, 1);

    // F2 in the key list sends the scale to that key's slot.
    KeyNoBox->installEventFilter(this);
}

void TQVScaleForm::buildLines(QGroupBox& group)
{
    // At least as wide as the longest label in the font it is shown in.
    const int labelWidth = std::max(kLabelWidth, group.fontMetrics().horizontalAdvance("Line 28") + 2);
    int right = 0;
    for (size_t i = 0; i < kScaleLines; ++i) {
        const int column = int(i) / kRowsPerColumn;
        int x = column == 0 ? kFirstColumnX : kSecondColumnX;
        const int y = kFirstRowY + (int(i) % kRowsPerColumn) * kRowPitch;
        const QString n = QString::number(i + 1);
        LineRow& row = rows_[i];
        row.label = new QLabel("Line " + n, &group);
        row.label->setObjectName("LineLabel" + n);
        row.label->setGeometry(x, y, labelWidth, kFieldHeight - kFieldRise);
        x += labelWidth + kGap;
        row.value = NewEdit("ValueEdit" + n, kValueLength, &group);
        row.value->setGeometry(x, y - kFieldRise, kValueWidth, kFieldHeight);
        x += kValueWidth + kGap;
        row.style = new QComboBox(&group);
        row.style->setObjectName("LineBox" + n);
        FillList(*row.style, kLineKindTexts);
        row.style->setGeometry(x, y - kFieldRise, kStyleWidth, kFieldHeight);
        x += kStyleWidth + kGap;
        row.text = NewEdit("TextEdit" + n, int(kMaxLabelLength), &group);
        row.text->setGeometry(x, y - kFieldRise, kTextWidth, kFieldHeight);
        right = std::max(right, x + kTextWidth);
    }
    group.setFixedSize(right + kFirstColumnX, kFirstRowY + kRowsPerColumn * kRowPitch + kGap);
}

void TQVScaleForm::connectEdits()
{
    const auto edit = [this] { SomethingChangePro(); };
    connect(KeyNoBox, &QComboBox::activated, this, edit);
    connect(DynamicsBox, &QComboBox::activated, this, edit);
    connect(DescriptionEdit, &QLineEdit::textEdited, this, edit);
    connect(ShortNameEdit, &QLineEdit::textEdited, this, edit);
    connect(ReferenceEdit, &QLineEdit::editingFinished, this, edit);
    connect(Scaleflag, &QCheckBox::clicked, this, edit);
    connect(Note, &QPlainTextEdit::textChanged, this, &TQVScaleForm::NoteChange);
    for (size_t i = 0; i < kScaleLines; ++i) {
        const LineRow& row = rows_[i];
        connect(row.value, &QLineEdit::editingFinished, this, edit);
        connect(row.text, &QLineEdit::textEdited, this, edit);
        connect(row.text, &QLineEdit::editingFinished, this, edit);
        connect(row.style, &QComboBox::activated, this, &TQVScaleForm::LineBoxChangePro);
    }
}

QWidget* TQVScaleForm::buildCentre()
{
    auto* centre = new QWidget(this);
    auto* parameters = new QGroupBox("Scale parameters.", centre);
    parameters->setObjectName("ParameterGroup");
    buildParameters(*parameters);
    auto* lines = new QGroupBox("Scale lines.", centre);
    lines->setObjectName("LineGroup");
    buildLines(*lines);
    auto* noteGroup = new QGroupBox("Note:", centre);
    noteGroup->setObjectName("NoteGroup");
    Note = new QPlainTextEdit(noteGroup);
    Note->setObjectName("Note");
    Note->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Note->setLineWrapMode(QPlainTextEdit::NoWrap);
    Note->setFixedHeight(Note->fontMetrics().lineSpacing() * kNoteLines + 2 * Note->frameWidth() + 8);
    auto* noteLayout = new QVBoxLayout(noteGroup);
    noteLayout->addWidget(Note);
    auto* previewGroup = new QGroupBox("Scale Preview.", centre);
    previewGroup->setObjectName("PreviewGroup");
    ScaleViewPanel_ = new ScaleViewPanel(previewGroup);
    auto* previewLayout = new QVBoxLayout(previewGroup);
    previewLayout->addWidget(ScaleViewPanel_);
    previewLayout->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(parameters);
    left->addWidget(lines);
    left->addWidget(noteGroup);
    auto* layout = new QHBoxLayout(centre);
    layout->addLayout(left);
    layout->addWidget(previewGroup);
    return centre;
}

} // namespace qv
