#include "macro_progress_form.h"

#include "matrix/macro_view.h"
#include "platform/qt/centre_window.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace qv {

namespace {
constexpr int kMinimumWidth = 420;
constexpr int kMargin = 16;
} // namespace

TMacroProgressForm::TMacroProgressForm(QWidget* mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("MacroProgressForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMinimumWidth(kMinimumWidth);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    auto* lines = new QVBoxLayout(frame);
    lines->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    lblMacroName = addLine("lblMacroName");
    lblStopMacro = addLine("lblStopMacro");
    lblProgress = addLine("lblProgress");
    for (QLabel* line : {lblMacroName, lblStopMacro, lblProgress})
        lines->addWidget(line);
    lblStopMacro->setText(QString::fromLatin1(kMacroStopHintText));
}

QLabel* TMacroProgressForm::addLine(const char* objectName)
{
    auto* line = new QLabel(this);
    line->setObjectName(QString::fromLatin1(objectName));
    line->setAlignment(Qt::AlignCenter);
    line->setTextFormat(Qt::PlainText);
    QFont bold = line->font();
    bold.setBold(true);
    line->setFont(bold);
    return line;
}

void TMacroProgressForm::showMacro(const QString& name)
{
    lblMacroName->setText(QString::fromStdString(MacroCalledText(name.toStdString())));
    lblProgress->setText(QString::fromLatin1(kMacroStartedLine));
    adjustSize();
    centreOverMainWindow();
    show();
    raise();
}

void TMacroProgressForm::setProgressLine(const QString& text)
{
    lblProgress->setText(text);
}

void TMacroProgressForm::bringToFront()
{
    if (isVisible())
        raise();
}

void TMacroProgressForm::centreOverMainWindow()
{
    CentreWindow(*this, mainWindow_);
}

QString TMacroProgressForm::nameLine() const
{
    return lblMacroName->text();
}

QString TMacroProgressForm::stopLine() const
{
    return lblStopMacro->text();
}

QString TMacroProgressForm::progressLine() const
{
    return lblProgress->text();
}

} // namespace qv
