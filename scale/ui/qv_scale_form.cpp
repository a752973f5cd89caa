#include "qv_scale_form.h"

#include "link/matrix_transfer.h"
#include "platform/qt/centre_window.h"
#include "platform/qt/usable_window.h"
#include "scale/marker_rule.h"
#include "scale/number_text.h"
#include "scale/render/scale_preview.h"
#include "scale/scale_codes.h"
#include "scale_view_panel.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextCursor>

#include <vector>

namespace qv {

namespace {

// Texts travel as the instrument's and the file's 8-bit characters.
std::string Latin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

QString FromLatin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

std::array<uint8_t, kScaleRecordSize> RecordBytes(const ScaleRecord& record)
{
    std::array<uint8_t, kScaleRecordSize> bytes{};
    WriteScaleRecord(record, bytes);
    return bytes;
}

// A list's index for a stored code; none for codes beyond its entries.
int ListIndex(const QComboBox& list, unsigned code)
{
    return code < unsigned(list.count()) ? int(code) : -1;
}

// A line edit showing a stored value whole, even one longer than may be typed.
void ShowValue(QLineEdit& field, const QString& text, int typedLength)
{
    field.setMaxLength(std::max(typedLength, int(text.size())));
    field.setText(text);
}

size_t NoteBytes(const QPlainTextEdit& memo)
{
    return MemoTextAsNote(Latin1(memo.toPlainText())).size();
}

} // namespace

TQVScaleForm::TQVScaleForm(ScaleEditorHost& host, Prompter& prompter, const ScaleLibrary& start, QWidget* parent)
    : QMainWindow(parent, Qt::Window), host_(host), prompter_(prompter), editor_(prompter, start)
{
    setObjectName("QVScaleForm");
    setWindowTitle(kCaption);
    buildMenus();
    buildToolBar();
    setCentralWidget(buildCentre());
    StatusPanel = new QLabel(this);
    StatusPanel->setObjectName("StatusPanel");
    statusBar()->setObjectName("StatusBar");
    statusBar()->addWidget(StatusPanel, 1);
    setStatusFile();

    for (size_t n = 1; n <= kScaleCount; ++n)
        ScaleNoEdit->addItem(FromLatin1(ScaleListEntry(n, editor_.library().scales[n - 1])));
    UpdateScaleWindow();
    connectEdits();
    mnuSave->setEnabled(false);
    DrawScaleSelectButtons();
    updateInstrumentCommands();
    reacting_ = true;
}

// --- filling and committing the fields ---

void TQVScaleForm::UpdateScaleWindow()
{
    const bool reacting = reacting_;
    reacting_ = false;
    const ScaleRecord& record = editor_.current();
    updateEntry(editor_.number());
    ScaleNoEdit->setCurrentIndex(int(editor_.number()) - 1);

    const char separator = char(QLocale().decimalPoint().at(0).toLatin1());
    ShortNameEdit->setText(FromLatin1(record.shortName.text()));
    KeyNoBox->setCurrentIndex(ListIndex(*KeyNoBox, record.keyNo));
    DescriptionEdit->setText(FromLatin1(record.description.text()));
    DynamicsBox->setCurrentIndex(ListIndex(*DynamicsBox, record.dynamics));
    ReferenceEdit->setText(FromLatin1(FormatScaleValue(record.referenceDb(), separator)));
    for (size_t i = 0; i < kScaleLines; ++i) {
        const ScaleLine& line = record.lines[i];
        ShowValue(*rows_[i].value, FromLatin1(FormatScaleValue(line.valueDb(), separator)), kValueLength);
        rows_[i].style->setCurrentIndex(ListIndex(*rows_[i].style, line.kind));
        rows_[i].text->setText(FromLatin1(line.text.text()));
    }
    Note->setPlainText(FromLatin1(NoteAsMemoText(record.noteText())));
    Note->document()->setModified(false);
    noteSize_ = NoteBytes(*Note);
    Scaleflag->setChecked(record.analogueFlag == 0);
    reacting_ = reacting;
}

void TQVScaleForm::commitNumber(QLineEdit& field, Real48& stored)
{
    bool edited = field.isModified();
    if (field.text().isEmpty()) {
        field.setText("0");
        edited = true;
    }
    if (!edited)
        return;
    const ParsedNumber number = String2Float(Latin1(field.text()));
    for (const std::string& error : number.errors)
        prompter_.error(error);
    StoreReal48(number.value, stored);
    field.setModified(false);
}

bool TQVScaleForm::SaveScaleWindow()
{
    ScaleRecord& record = editor_.current();
    const auto before = RecordBytes(record);
    const auto takeText = [](QLineEdit& field, auto& stored) {
        if (field.isModified())
            stored.assign(Latin1(field.text()));
        field.setModified(false);
    };
    if (ShortNameEdit->isModified())
        record.setShortName(Latin1(ShortNameEdit->text()));
    ShortNameEdit->setModified(false);
    if (KeyNoBox->currentIndex() >= 0)
        record.keyNo = uint8_t(KeyNoBox->currentIndex());
    takeText(*DescriptionEdit, record.description);
    if (DynamicsBox->currentIndex() >= 0)
        record.dynamics = uint8_t(DynamicsBox->currentIndex());
    commitNumber(*ReferenceEdit, record.reference);
    for (size_t i = 0; i < kScaleLines; ++i) {
        ScaleLine& line = record.lines[i];
        commitNumber(*rows_[i].value, line.value);
        if (rows_[i].style->currentIndex() >= 0)
            line.kind = uint8_t(rows_[i].style->currentIndex());
        takeText(*rows_[i].text, line.text);
    }
    if (Note->document()->isModified())
        record.setNoteText(MemoTextAsNote(Latin1(Note->toPlainText())));
    Note->document()->setModified(false);
    return RecordBytes(record) != before;
}

void TQVScaleForm::commitFields()
{
    if (SaveScaleWindow())
        markChanged();
}

void TQVScaleForm::markChanged()
{
    editor_.setChanged();
    mnuSave->setEnabled(true);
    updateEntry(editor_.number());
}

void TQVScaleForm::SomethingChangePro()
{
    if (!reacting_)
        return;
    drawScale();
    markChanged();
}

bool TQVScaleForm::drawScale()
{
    commitFields();
    std::string error;
    const DrawScaleResult result = DrawScale(editor_.current(), Scaleflag->isChecked(), Latin1(ReferenceEdit->text()),
                                             ScaleViewPanel_->image(), ScaleViewPanel_->markers(), table_, error);
    ScaleViewPanel_->update();
    if (result == DrawScaleResult::Failed) {
        prompter_.error(error);
        return false;
    }
    return true;
}

void TQVScaleForm::LineBoxChangePro()
{
    std::vector<int> kinds;
    for (const LineRow& row : rows_)
        kinds.push_back(row.style->currentIndex());
    for (size_t reset : ApplyMarkerRule(kinds)) {
        prompter_.message(MessageKind::Warning, std::string(kMarkerRuleWarning));
        rows_[reset].style->setCurrentIndex(KindNone);
    }
    SomethingChangePro();
}

void TQVScaleForm::NoteChange()
{
    // Typing past the note's room takes back what went beyond it; a note
    // already longer (from a foreign file) is shown whole and can still be
    // shortened.
    const size_t bytes = NoteBytes(*Note);
    if (reacting_ && bytes > kScaleNoteSize && bytes > noteSize_) {
        QTextCursor cursor = Note->textCursor();
        const QSignalBlocker blocker(Note);
        while (NoteBytes(*Note) > std::max(kScaleNoteSize, noteSize_) && cursor.position() > 0)
            cursor.deletePreviousChar();
        Note->setTextCursor(cursor);
    }
    noteSize_ = NoteBytes(*Note);
    SomethingChangePro();
}

// --- the list and the buttons ---

void TQVScaleForm::updateEntry(size_t number)
{
    ScaleNoEdit->setItemText(int(number) - 1, FromLatin1(ScaleListEntry(number, editor_.library().scales[number - 1])));
}

void TQVScaleForm::DrawScaleSelectButtons()
{
    mnuPrevious->setEnabled(editor_.number() > 1);
    mnuNext->setEnabled(editor_.number() < kScaleCount);
}

void TQVScaleForm::updateInstrumentCommands()
{
    mnuDownload->setEnabled(host_.instrumentIdentified());
    mnuInsertScale->setEnabled(!host_.remoteControlOn() && host_.configurationLoaded());
}

void TQVScaleForm::setStatusFile()
{
    StatusPanel->setText("File: " + QString::fromStdString(editor_.fileName()));
}

void TQVScaleForm::showScale(size_t number)
{
    reacting_ = false;
    commitFields();
    editor_.setNumber(number);
    UpdateScaleWindow();
    drawScale();
    DrawScaleSelectButtons();
    reacting_ = true;
}

void TQVScaleForm::NextButtonClick()
{
    if (editor_.number() < kScaleCount)
        showScale(editor_.number() + 1);
}

void TQVScaleForm::PreviousButtonClick()
{
    if (editor_.number() > 1)
        showScale(editor_.number() - 1);
}

void TQVScaleForm::ScaleNoEditChange(int index)
{
    if (index >= 0)
        showScale(size_t(index) + 1);
}

// --- files ---

void TQVScaleForm::showLoadedLibrary()
{
    reacting_ = false;
    setStatusFile();
    for (size_t n = 1; n <= kScaleCount; ++n)
        updateEntry(n);
    UpdateScaleWindow();
    reacting_ = true;
    drawScale();
    mnuSave->setEnabled(false);
}

void TQVScaleForm::savedLibrary()
{
    setStatusFile();
    mnuSave->setEnabled(false);
}

void TQVScaleForm::OpenButtonClick()
{
    if (!closeQuery() || !editor_.Open())
        return;
    host_.setLastScaleFile(editor_.fileName());
    showLoadedLibrary();
}

void TQVScaleForm::SaveButtonClick()
{
    commitFields();
    if (editor_.Save())
        savedLibrary();
}

void TQVScaleForm::SaveAsButtonClick()
{
    commitFields();
    if (editor_.SaveAs())
        savedLibrary();
}

bool TQVScaleForm::closeQuery()
{
    commitFields();
    if (!editor_.changed())
        return true;
    switch (editor_.AskToSave()) {
    case Answer::Yes:
        if (!editor_.SaveAs())
            return false;
        savedLibrary();
        return true;
    case Answer::No:
        return true;
    default:
        return false;
    }
}

// --- showing and closing ---

void TQVScaleForm::FormShow()
{
    if (!placed_) {
        CentreWindow(*this, parentWidget());
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    host_.setMainWindowEnabled(false);
    if (editor_.OfferReload(host_.lastScaleFile()))
        showLoadedLibrary();
    else
        drawScale();
    updateInstrumentCommands();
}

void TQVScaleForm::closeEvent(QCloseEvent* event)
{
    if (!closeQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    host_.setMainWindowEnabled(true);
}

void TQVScaleForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Open while the main window is disabled.
    StayUsableUnderDisabledParent(*this, event);
}

bool TQVScaleForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == KeyNoBox && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
        mnuDownload->trigger(); // nothing while Download is not offered
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// --- the instrument and the configuration ---

int TQVScaleForm::chosenKey()
{
    const int key = KeyNoBox->currentIndex();
    if (!ScaleSlotAddress(key)) {
        prompter_.error(kNoKeyText);
        return -1;
    }
    return key;
}

void TQVScaleForm::DownloadButtonClick()
{
    commitFields();
    const int key = chosenKey();
    if (key < 0 || !drawScale())
        return;
    // The instrument restarts twice: remote control would go with it.
    if (host_.remoteControlOn() && !host_.releaseRemoteControl())
        return;
    MatrixTransfer* transfer = host_.transferWindow();
    if (!transfer) {
        prompter_.error("No RVT connected.");
        return;
    }
    setEnabled(false);
    const auto bytes = ScaleTableBytes(table_);
    const bool switched = host_.liveLink();
    transfer->cancel = false;
    transfer->RestartInDownloadMode(false);
    transfer->channel().host().clock.sleepMs(kDownloadModePauseMs);
    if (transfer->ConnectInstrument(host_.instrumentIdentified())) {
        transfer->view().setTextLine("Downloading Scale...");
        const bool written = transfer->WriteMemory(*ScaleSlotAddress(key), bytes.data(), bytes.size() - 1);
        transfer->view().hideWindow();
        if (!written || transfer->cancel)
            prompter_.error(kNotDownloadedText);
    }
    // Out of download mode again.
    if (switched)
        host_.restartInstrument();
    host_.setMainWindowEnabled(false);
    setEnabled(true);
    updateInstrumentCommands();
}

void TQVScaleForm::mnuInsertScaleClick()
{
    commitFields();
    const int key = chosenKey();
    if (key < 0)
        return;
    if (!prompter_.confirm("Do you wish to replace the scale for [" + Latin1(KeyNoBox->currentText()) +
                           "] in the currently loaded configuration file?"))
        return;
    if (drawScale())
        host_.insertScale(key, table_);
}

void TQVScaleForm::ToolButton2Click()
{
    host_.restartInstrument();
    // The restart enables the main window; the scale editor is still open.
    host_.setMainWindowEnabled(false);
    updateInstrumentCommands();
}

} // namespace qv
