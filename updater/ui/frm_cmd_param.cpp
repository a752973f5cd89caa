#include "frm_cmd_param.h"

#include "platform/qt/centre_window.h"
#include "platform/qt/display_text.h"
#include "updater/update_command_line.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qv {

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 480;
} // namespace

TfrmCMDParam::TfrmCMDParam(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCMDParam"));
    setWindowTitle(QStringLiteral("Commandline parameters..."));
    memParams->setObjectName(QStringLiteral("memParams"));
    memParams->setReadOnly(true);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    memParams->setFont(fixed);
    memParams->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memParams->setLineWrapMode(QPlainTextEdit::NoWrap);
    memParams->setPlainText(displayText(CommandLineHelpText()));

    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setText(QStringLiteral("Close"));
    // Both the default and the cancel button: Enter and Escape close alike.
    btnClose->setDefault(true);
    btnClose->setAutoDefault(true);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memParams);
    layout->addLayout(buttons);
    resize(kWidth, kHeight);
}

void TfrmCMDParam::showCentred()
{
    if (QWidget* owner = parentWidget())
        CentreWindow(*this, owner);
    btnClose->setFocus();
    exec();
}

} // namespace qv
