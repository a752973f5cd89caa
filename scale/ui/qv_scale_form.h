#pragma once

#include "platform/host/prompter.h"
#include "scale/scale_editor.h"
#include "scale/scale_editor_host.h"
#include "scale/scale_table.h"

#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace qv {

class ScaleViewPanel;

// QV-Scale: the scale editor. One library, edited scale by scale with its
// preview, saved to a file, a scale sent to the instrument or placed into
// the loaded configuration. Shown beside the main window, which stays
// disabled while it is open; closing only hides it.
class TQVScaleForm : public QMainWindow {
    Q_OBJECT

public:
    static constexpr char kCaption[] = "QV-Scale V.2.42";
    static constexpr int kDownloadModePauseMs = 500;
    static constexpr int kValueLength = 5; // characters a line's value may be typed with
    static constexpr char kNoKeyText[] = "The scale has no key: choose one in \"Key No.:\" first.";
    static constexpr char kNotDownloadedText[] =
        "The scale is not downloaded completely.\r\rPlease check the connection and download the scale again.";

    // start: the library the editor starts with.
    TQVScaleForm(ScaleEditorHost& host, Prompter& prompter, const ScaleLibrary& start, QWidget* parent = nullptr);

    ScaleEditor& editor() { return editor_; }
    // The table of the scale shown, as it was built last.
    const ScaleTable& table() const { return table_; }
    ScaleViewPanel& preview() { return *ScaleViewPanel_; }

    // "QV-Scale...": shows the window over the disabled main window and
    // offers the last library again.
    void FormShow();
    // The question about unsaved changes; false keeps the window open.
    bool closeQuery();

    // Handlers of the window's commands.
    void OpenButtonClick();
    void SaveButtonClick();
    void SaveAsButtonClick();
    void NextButtonClick();
    void PreviousButtonClick();
    void ScaleNoEditChange(int index);
    void DownloadButtonClick();
    void mnuInsertScaleClick();
    void ToolButton2Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct LineRow {
        QLabel* label = nullptr;
        QLineEdit* value = nullptr;
        QComboBox* style = nullptr;
        QLineEdit* text = nullptr;
    };

    // qv_scale_form_layout.cpp
    void buildMenus();
    void buildToolBar();
    void buildParameters(QGroupBox& group);
    void buildLines(QGroupBox& group);
    QWidget* buildCentre();
    void connectEdits();

    // Fills every field from the current record.
    void UpdateScaleWindow();
    // Commits the fields the user changed into the current record; true
    // when the record changed. Fields left alone keep what the record
    // holds, however precise.
    bool SaveScaleWindow();
    // The common reaction to an edit.
    void SomethingChangePro();
    void DrawScaleSelectButtons();
    // A style list changed: the marker rule over all 28, then the edit.
    void LineBoxChangePro();
    // The note, kept within the 2048 bytes it is stored in.
    void NoteChange();

    // Commits the fields; a record that changed marks the library changed.
    void commitFields();
    void markChanged();
    // Commits the fields, builds the table and draws the preview; false,
    // after saying why, when the scale makes no table.
    bool drawScale();
    // After a library was read: the list, the fields, the preview, Save.
    void showLoadedLibrary();
    void setStatusFile();
    // Commits the fields and shows scale number (1 to 20).
    void showScale(size_t number);
    void updateEntry(size_t number);
    // Download and Insert by the instrument, remote control and the
    // loaded configuration.
    void updateInstrumentCommands();
    // The chosen key's slot; says so and returns -1 without one.
    int chosenKey();
    // A number field the user changed: String2Float's value, with its
    // messages; an emptied field reads "0".
    void commitNumber(QLineEdit& field, Real48& stored);
    void savedLibrary();

    ScaleEditorHost& host_;
    Prompter& prompter_;
    ScaleEditor editor_;
    ScaleTable table_{};
    bool reacting_ = false;
    bool placed_ = false;
    size_t noteSize_ = 0; // bytes of the note as the memo last held it

    QAction* mnuOpen = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuClose = nullptr;
    QAction* mnuNext = nullptr;
    QAction* mnuPrevious = nullptr;
    QAction* mnuDownload = nullptr;
    QAction* mnuInsertScale = nullptr;
    QAction* actRestart = nullptr;
    QComboBox* ScaleNoEdit = nullptr;

    QComboBox* KeyNoBox = nullptr;
    QLineEdit* ShortNameEdit = nullptr;
    QLineEdit* ReferenceEdit = nullptr;
    QComboBox* DynamicsBox = nullptr;
    QCheckBox* Scaleflag = nullptr;
    QLineEdit* DescriptionEdit = nullptr;
    std::array<LineRow, kScaleLines> rows_{};
    QPlainTextEdit* Note = nullptr;
    ScaleViewPanel* ScaleViewPanel_ = nullptr;
    QLabel* StatusPanel = nullptr;
};

} // namespace qv
