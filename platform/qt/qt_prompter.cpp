#include "qt_prompter.h"

#include "display_text.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QSpacerItem>
#include <QStringList>

#include <algorithm>

namespace qv {

namespace {

// Yellow box, red text: the look of the questions that may abort a
// transfer half-way.
QString fromStd(const std::string& s)
{
    return QString::fromStdString(s);
}

std::optional<std::string> chosen(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

QString title(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return QStringLiteral("Error");
    case MessageKind::Warning:
        return QStringLiteral("Warning");
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Confirmation:
        break;
    }
    return QStringLiteral("Confirm");
}

QMessageBox::Icon icon(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Confirmation:
        break;
    }
    return QMessageBox::Question;
}

QMessageBox::StandardButton standardButton(Answer a)
{
    switch (a) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        break;
    }
    return QMessageBox::Cancel;
}

std::optional<Answer> answerOf(QMessageBox::StandardButton b)
{
    switch (b) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return std::nullopt;
    }
}

// Closing the box without a button counts as the most cautious answer.
Answer escapeAnswer(unsigned buttons)
{
    if (buttons & ButtonCancel)
        return Answer::Cancel;
    if (buttons & ButtonNo)
        return Answer::No;
    if (buttons & ButtonOk)
        return Answer::Ok;
    return Answer::Yes;
}

// "(*.PRE)" at the end of a description lists the patterns already.
bool endsWithPatterns(const QString& description, const QString& patterns)
{
    return description.endsWith(QLatin1Char('(') + patterns + QLatin1Char(')'), Qt::CaseInsensitive);
}

} // namespace

QString qtFileFilter(const std::string& filter)
{
    const QString text = fromStd(filter);
    if (!text.contains(QLatin1Char('|')))
        return text;
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = i + 1 < parts.size() ? parts[i + 1].trimmed() : QStringLiteral("*");
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (endsWithPatterns(description, patterns))
            description = description.left(description.lastIndexOf(QLatin1Char('('))).trimmed();
        // On Linux "*.*" would hide every file without an extension.
        if (patterns == QStringLiteral("*.*"))
            patterns = QStringLiteral("*");
        out << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

// A box over the main window would open behind a window of ours that stays
// on top (the transfer window closed during a download asks over itself):
// it goes over that window instead, the active one if there are several.
QWidget* QtPrompter::owner() const
{
    if (!parent_)
        return QApplication::activeWindow();
    QWidget* over = nullptr;
    for (QWidget* w : parent_->findChildren<QWidget*>()) {
        if (!w->isWindow() || !w->isVisible() || !(w->windowFlags() & Qt::WindowStaysOnTopHint))
            continue;
        if (w == QApplication::activeWindow())
            return w;
        if (!over)
            over = w;
    }
    return over ? over : parent_.data();
}

Answer QtPrompter::message(MessageKind kind, const std::string& text, unsigned buttons, Answer defaultAnswer,
                           HelpTopic helpTopic, MessageStyle style)
{
    if ((buttons & (ButtonOk | ButtonYesNoCancel)) == 0)
        buttons = ButtonOk;

    QMessageBox box(owner());
    box.setWindowTitle(title(kind));
    box.setIcon(style == MessageStyle::Alarm ? QMessageBox::Warning : icon(kind));
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    box.setProperty("helpTopic", TopicNumber(helpTopic));
    if (style == MessageStyle::Alarm) {
        box.setStyleSheet(alarmLook_.styleSheet);
        // A message box sizes itself to its text; a spacer across its grid keeps it wide.
        auto* grid = qobject_cast<QGridLayout*>(box.layout());
        if (alarmLook_.minimumWidth > 0 && grid)
            grid->addItem(new QSpacerItem(alarmLook_.minimumWidth, 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                          grid->rowCount(), 0, 1, grid->columnCount());
    }

    QMessageBox::StandardButtons standard;
    for (auto [flag, answer] : {std::pair{ButtonOk, Answer::Ok}, std::pair{ButtonYes, Answer::Yes},
                                std::pair{ButtonNo, Answer::No}, std::pair{ButtonCancel, Answer::Cancel}})
        if (buttons & flag)
            standard |= standardButton(answer);
    box.setStandardButtons(standard);
    if (standard & standardButton(defaultAnswer))
        box.setDefaultButton(standardButton(defaultAnswer));
    const Answer escape = escapeAnswer(buttons);
    box.setEscapeButton(standardButton(escape));
    if ((buttons & ButtonNoAsHelp) && box.button(QMessageBox::No))
        box.button(QMessageBox::No)->setText(QStringLiteral("Help!"));
    // With help pages, a box with a topic has a Help button and answers F1;
    // the help opens beside it and the question stays.
    QPushButton* help = nullptr;
    if (helpTopic != HelpTopic::Contents && !helpPage_.isEmpty() && !(buttons & ButtonNoAsHelp)) {
        help = box.addButton(QMessageBox::Help);
        auto* f1 = new QShortcut(QKeySequence::HelpContents, &box);
        QObject::connect(f1, &QShortcut::activated, &box, [this, helpTopic] { showHelp(helpTopic); });
    }

    for (;;) {
        box.exec();
        auto* clicked = box.clickedButton();
        if (clicked && clicked == help) {
            showHelp(helpTopic);
            continue;
        }
        if (!clicked)
            return escape;
        return answerOf(box.standardButton(clicked)).value_or(escape);
    }
}

void QtPrompter::showHelp(HelpTopic topic)
{
    if (helpPage_.isEmpty())
        return;
    if (!help_)
        help_ = std::make_unique<HelpViewer>(helpPage_);
    help_->showTopic(topic);
}

std::optional<std::string> QtPrompter::inputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& defaultValue)
{
    bool ok = false;
    QString value = QInputDialog::getText(owner(), displayText(caption), displayText(prompt), QLineEdit::Normal,
                                          fromStd(defaultValue), &ok);
    if (!ok)
        return std::nullopt;
    return value.toStdString();
}

std::optional<std::string> QtPrompter::openFile(const std::string& caption, const std::string& filter,
                                                const std::string& folder)
{
    return chosen(QFileDialog::getOpenFileName(owner(), fromStd(caption), fromStd(folder), qtFileFilter(filter)));
}

std::optional<std::string> QtPrompter::saveFile(const std::string& caption, const std::string& filter,
                                                const std::string& suggestion)
{
    const QString filters = qtFileFilter(filter);
    QString selected;
    auto path = chosen(QFileDialog::getSaveFileName(owner(), fromStd(caption), fromStd(suggestion), filters, &selected));
    lastFilter_ = std::max(1, int(filters.split(";;").indexOf(selected)) + 1);
    return path;
}

std::optional<std::string> QtPrompter::chooseFolder(const std::string& caption, const std::string& folder)
{
    return chosen(QFileDialog::getExistingDirectory(owner(), fromStd(caption), fromStd(folder)));
}

} // namespace qv
