#include "update_prompter.h"

#include "platform/qt/display_text.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>

namespace qv {

namespace {
constexpr auto kAlarmStyle = "QMessageBox { background-color: white; } "
                             "QMessageBox QLabel { color: red; font-weight: bold; font-size: 10pt; }";
} // namespace

void UpdatePrompter::StyleAlarmBox(QMessageBox& box, const std::string& text, Answer defaultAnswer)
{
    box.setWindowTitle(QStringLiteral("Warning"));
    box.setIcon(QMessageBox::Warning);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    box.setStyleSheet(QString::fromLatin1(kAlarmStyle));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    // A message box sizes itself to its text; a spacer across the grid keeps it wide.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(kAlarmWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0,
                      1, grid->columnCount());
}

Answer UpdatePrompter::message(MessageKind kind, const std::string& text, unsigned buttons, Answer defaultAnswer,
                               int helpTopic, MessageStyle style)
{
    if (style != MessageStyle::Alarm || (buttons & ButtonYesNo) != ButtonYesNo)
        return QtPrompter::message(kind, text, buttons, defaultAnswer, helpTopic, style);
    QMessageBox box(mainWindow_);
    StyleAlarmBox(box, text, defaultAnswer);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes) ? Answer::Yes : Answer::No;
}

} // namespace qv
