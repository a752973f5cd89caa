#pragma once

#include "platform/qt/qt_prompter.h"

#include <QMessageBox>
#include <QPointer>

namespace qv {

// QV-Update's dialogs: the Qt ones, except that its alarm look, the
// question before an update, is a wide white box with bold red text.
class UpdatePrompter : public QtPrompter {
public:
    static constexpr int kAlarmWidth = 620;

    // Every dialog is centred on the main window.
    void setMainWindow(QWidget* window)
    {
        mainWindow_ = window;
        setParentWidget(window);
    }

    Answer message(MessageKind kind, const std::string& text, unsigned buttons = ButtonOk,
                   Answer defaultAnswer = Answer::Ok, int helpTopic = 0,
                   MessageStyle style = MessageStyle::Normal) override;

    // The box of the alarm look, ready to run; Yes and No only.
    static void StyleAlarmBox(QMessageBox& box, const std::string& text, Answer defaultAnswer);

private:
    QPointer<QWidget> mainWindow_;
};

} // namespace qv
