#include "rvt_type_dialog.h"

#include "platform/qt/display_text.h"
#include "platform/qt/help_key.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qv {

RvtTypeDialog::RvtTypeDialog(Program program, Prompter& prompter, QWidget* parent)
    : QDialog(parent), choice_(program), prompter_(prompter)
{
    gbType->setObjectName(QStringLiteral("gbType"));
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    cbRVTType->setObjectName(QStringLiteral("cbRVTType"));
    OKButton->setObjectName(QStringLiteral("OKButton"));

    setWindowTitle(displayText(choice_.caption()));
    AddHelpKey(*this, prompter_, HelpTopic::RvtType);
    gbType->setTitle(displayText(choice_.groupCaption()));
    lblInfo->setTextFormat(Qt::PlainText);
    lblInfo->setText(displayText(choice_.infoText()));
    for (const auto& entry : choice_.entries())
        cbRVTType->addItem(QString::fromStdString(entry));
    cbRVTType->setMaxVisibleItems(cbRVTType->count());
    cbRVTType->setCurrentIndex(RvtTypeChoice::kInitialIndex);
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setDefault(true);

    layOut();
    connect(OKButton, &QPushButton::clicked, this, &RvtTypeDialog::OKButtonClick);
}

void RvtTypeDialog::layOut()
{
    // The fixed client area holds the texts at an 11-pixel font; a larger
    // desktop font would clip them.
    QFont dialogFont = font();
    dialogFont.setPixelSize(kFontPixels);
    setFont(dialogFont);
    lblInfo->setWordWrap(true);

    auto* group = new QVBoxLayout(gbType);
    group->setContentsMargins(6, 2, 6, 6);
    group->setSpacing(6);
    group->addWidget(lblInfo);
    group->addWidget(cbRVTType);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(6, 6, 6, 6);
    form->setSpacing(4);
    form->addWidget(gbType);
    form->addLayout(buttons);
    setFixedSize(kClientWidth, kClientHeight);
}

void RvtTypeDialog::OKButtonClick()
{
    auto outcome = choice_.confirm(cbRVTType->currentIndex(), prompter_);
    if (!outcome.close)
        return;
    if (outcome.code)
        chosenType_ = outcome.code;
    accept();
}

} // namespace qv
