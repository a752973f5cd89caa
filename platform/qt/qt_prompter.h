#pragma once

#include "platform/host/prompter.h"

#include "help_viewer.h"

#include <QPointer>
#include <QString>
#include <QUrl>
#include <QWidget>

#include <memory>

namespace qv {

// Turns a filter written as "Description|*.EXT|All Files (*.*)|*.*" into
// the form the Qt file dialogs take. A filter without "|" is kept as it is.
QString qtFileFilter(const std::string& filter);

// The production prompter: modal Qt message boxes and standard dialogs,
// shown over the given window (or the active one), or over a window of its
// that stays on top while one is showing.
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    void setParentWidget(QWidget* parent) { parent_ = parent; }
    // How the alarm-styled questions look: a style sheet for the box and a
    // width it keeps at least. The default is the yellow box with red text.
    struct AlarmLook {
        QString styleSheet;
        int minimumWidth = 0;
    };
    void setAlarmLook(AlarmLook look) { alarmLook_ = std::move(look); }

    // The program's help page, shown by showHelp and the Help buttons.
    void setHelpPage(const QUrl& page) { helpPage_ = page; }
    HelpViewer* helpViewer() const { return help_.get(); }

    Answer message(MessageKind kind, const std::string& text, unsigned buttons = ButtonOk,
                   Answer defaultAnswer = Answer::Ok, HelpTopic helpTopic = HelpTopic::Contents,
                   MessageStyle style = MessageStyle::Normal) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultValue) override;
    std::optional<std::string> openFile(const std::string& caption, const std::string& filter,
                                        const std::string& folder) override;
    std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                        const std::string& suggestion) override;
    std::optional<std::string> chooseFolder(const std::string& caption, const std::string& folder) override;
    int lastFilterIndex() const override { return lastFilter_; }
    void showHelp(HelpTopic topic) override;

private:
    QWidget* owner() const;

    QPointer<QWidget> parent_;
    int lastFilter_ = 1;
    QUrl helpPage_;
    AlarmLook alarmLook_{QStringLiteral("QMessageBox { background-color: yellow; } QMessageBox QLabel { color: red; }")};
    std::unique_ptr<HelpViewer> help_;
};

} // namespace qv
