#pragma once

#include "help_topics.h"

#include <optional>
#include <string>

namespace qv {

enum class MessageKind { Error, Warning, Information, Confirmation };

// Buttons of a message box, combined as flags.
enum Button : unsigned {
    ButtonNone = 0,
    ButtonOk = 1,
    ButtonYes = 2,
    ButtonNo = 4,
    ButtonCancel = 8,
    ButtonYesNo = ButtonYes | ButtonNo,
    ButtonYesNoCancel = ButtonYes | ButtonNo | ButtonCancel,
    // The No button reads "Help!": the caller opens the help when it is chosen.
    ButtonNoAsHelp = 16,
};

enum class Answer { Ok, Yes, No, Cancel };

// Optional look of a message box: the yellow box with red text that the
// dangerous-abort questions use.
enum class MessageStyle { Normal, Alarm };

// Every dialog the core needs. Texts use "\r" as the line break; the Qt
// implementation turns it into a real line break when it shows them.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual Answer message(MessageKind kind, const std::string& text, unsigned buttons = ButtonOk,
                           Answer defaultAnswer = Answer::Ok, HelpTopic helpTopic = HelpTopic::Contents,
                           MessageStyle style = MessageStyle::Normal) = 0;

    // Returns the entered text, or nothing when cancelled.
    virtual std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                                const std::string& defaultValue) = 0;
    virtual std::optional<std::string> openFile(const std::string& caption, const std::string& filter,
                                                const std::string& folder) = 0;
    virtual std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                                const std::string& suggestion) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& caption, const std::string& folder) = 0;
    // The filter picked in the last open or save dialog, counted from 1.
    virtual int lastFilterIndex() const { return 1; }
    // Opens the help at a topic.
    virtual void showHelp(HelpTopic topic) = 0;

    void error(const std::string& text, HelpTopic helpTopic = HelpTopic::Contents)
    {
        message(MessageKind::Error, text, ButtonOk, Answer::Ok, helpTopic);
    }
    void information(const std::string& text, HelpTopic helpTopic = HelpTopic::Contents)
    {
        message(MessageKind::Information, text, ButtonOk, Answer::Ok, helpTopic);
    }
    bool confirm(const std::string& text, Answer defaultAnswer = Answer::Yes, HelpTopic helpTopic = HelpTopic::Contents)
    {
        return message(MessageKind::Confirmation, text, ButtonYesNo, defaultAnswer, helpTopic) == Answer::Yes;
    }
};

} // namespace qv
