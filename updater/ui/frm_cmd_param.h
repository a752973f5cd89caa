#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

namespace qv {

// The command-line help dialog of "/H" and "/?".
class TfrmCMDParam : public QDialog {
    Q_OBJECT

public:
    explicit TfrmCMDParam(QWidget* parent = nullptr);

    // Shown modally, centred on the main window.
    void showCentred();

private:
    QPlainTextEdit* memParams = new QPlainTextEdit(this);
    QPushButton* btnClose = new QPushButton(this);
};

} // namespace qv
