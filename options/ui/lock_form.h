#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qv {

class ConfigImage;
class Prompter;

// "Write Protect Lock Code.": the instrument's four-digit lock code in the
// image; "0000" disables the lock.
class TLockForm : public QDialog {
    Q_OBJECT

public:
    TLockForm(ConfigImage& image, Prompter& prompter, QWidget* parent = nullptr);

    void FormShow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OKButtonClick();
    void WriteLockCheckClick();

    ConfigImage& image_;
    Prompter& prompter_;
    QLineEdit* LockEdit = nullptr;
    QCheckBox* WriteLockCheck = nullptr;
    QPushButton* OKButton = nullptr;
};

} // namespace qv
