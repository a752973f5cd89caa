#include "lock_form.h"

#include "config/config_image.h"
#include "dialog_parts.h"
#include "options/lock_code.h"
#include "platform/host/prompter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace qv {

TLockForm::TLockForm(ConfigImage& image, Prompter& prompter, QWidget* parent)
    : QDialog(parent), image_(image), prompter_(prompter)
{
    setObjectName(QStringLiteral("LockForm"));
    setWindowTitle(QStringLiteral("Write Protect Lock Code."));
    setModal(true);

    auto* box = new QGroupBox(QStringLiteral("Lock Code."), this);
    box->setObjectName(QStringLiteral("gbLockCode"));
    LockEdit = new QLineEdit(box);
    LockEdit->setObjectName(QStringLiteral("LockEdit"));
    LockEdit->setMaxLength(kLockCodeDigits);
    // Pasted text obeys the same rule as typed keys.
    LockEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), LockEdit));
    LockEdit->setFixedWidth(LockEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    LockEdit->installEventFilter(this);
    WriteLockCheck = new QCheckBox(QStringLiteral("Disable Write Protect Lock Code."), box);
    WriteLockCheck->setObjectName(QStringLiteral("WriteLockCheck"));
    connect(WriteLockCheck, &QCheckBox::clicked, this, &TLockForm::WriteLockCheckClick);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(LockEdit);
    boxLayout->addWidget(WriteLockCheck);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    OKButton = AddDialogButtons(*this, *layout).ok;
    connect(OKButton, &QPushButton::clicked, this, &TLockForm::OKButtonClick);
}

void TLockForm::FormShow()
{
    // An unreadable code shows as no lock; the image is changed only by OK.
    const QString code = QString::fromStdString(StoredLockCode(image_));
    LockEdit->setText(code);
    WriteLockCheck->setChecked(code == QLatin1String(kLockDisabledCode));
    LockEdit->setEnabled(!WriteLockCheck->isChecked());
    if (LockEdit->isEnabled()) {
        LockEdit->selectAll();
        LockEdit->setFocus();
    }
}

void TLockForm::WriteLockCheckClick()
{
    LockEdit->setEnabled(!WriteLockCheck->isChecked());
    if (WriteLockCheck->isChecked())
        LockEdit->setText(QLatin1String(kLockDisabledCode));
}

bool TLockForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == LockEdit && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.size() == 1 && text[0].isPrint()) {
            if (!text[0].isDigit() || text[0].unicode() > '9')
                return true; // only digits are typed
            // A full field: the digit replaces the one after the caret.
            if (LockEdit->text().size() >= kLockCodeDigits && !LockEdit->hasSelectedText())
                LockEdit->setSelection(LockEdit->cursorPosition(), 1);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TLockForm::OKButtonClick()
{
    if (!StoreLockCode(image_, LockEdit->text().toStdString())) {
        prompter_.error(kLockCodeMessage);
        return;
    }
    accept();
}

} // namespace qv
