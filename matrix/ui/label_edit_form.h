#pragma once

#include "config/image_layout.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace qv {

class Prompter;

// The label edit dialog: one 4-character line for a rename (or a longer
// one, as for a macro's name), or in the advanced rename one row per
// selected label, each with its own new text. OK keeps the dialog open
// while a text breaks the character rule.
class TLabelEditForm : public QDialog {
    Q_OBJECT

public:
    explicit TLabelEditForm(Prompter& prompter, QWidget* parent = nullptr);

    // title: "Input #n" or "Output #n"; caption: "Input Name" or "Output Name".
    void setupSingle(const QString& title, const QString& caption, const QString& label,
                     int maxLength = kLabelLength);
    // One row per label: its caption ("Input #n") and its current label.
    void setupAdvanced(const QString& title, const QList<QPair<QString, QString>>& rows);

    bool advanced() const { return advanced_; }
    // The typed texts, one per row (one in the single form), as typed.
    QStringList texts() const;

private:
    void OKButtonClick();
    void clearRows();
    QLineEdit* addEdit(const QString& name, const QString& text, int maxLength = kLabelLength);

    Prompter& prompter_;
    QGroupBox* gbLabel_ = nullptr;
    QScrollArea* sbRows_ = nullptr;
    QVBoxLayout* rowsLayout_ = nullptr;
    QPushButton* OKButton_ = nullptr;
    QPushButton* CancelButton_ = nullptr;
    QList<QLineEdit*> edits_;
    QList<QWidget*> rowWidgets_;
    bool advanced_ = false;
};

} // namespace qv
