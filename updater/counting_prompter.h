#pragma once

#include "platform/host/prompter.h"

namespace qv {

// Passes every dialog on and counts the errors among them, so that a
// command-line job can tell whether it failed.
class CountingPrompter : public Prompter {
public:
    explicit CountingPrompter(Prompter& inner) : inner_(inner) {}

    int errors() const { return errors_; }

    Answer message(MessageKind kind, const std::string& text, unsigned buttons = ButtonOk,
                   Answer defaultAnswer = Answer::Ok, HelpTopic helpTopic = HelpTopic::Contents,
                   MessageStyle style = MessageStyle::Normal) override
    {
        if (kind == MessageKind::Error)
            ++errors_;
        return inner_.message(kind, text, buttons, defaultAnswer, helpTopic, style);
    }
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultValue) override
    {
        return inner_.inputBox(caption, prompt, defaultValue);
    }
    std::optional<std::string> openFile(const std::string& caption, const std::string& filter,
                                        const std::string& folder) override
    {
        return inner_.openFile(caption, filter, folder);
    }
    std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                        const std::string& suggestion) override
    {
        return inner_.saveFile(caption, filter, suggestion);
    }
    std::optional<std::string> chooseFolder(const std::string& caption, const std::string& folder) override
    {
        return inner_.chooseFolder(caption, folder);
    }
    int lastFilterIndex() const override { return inner_.lastFilterIndex(); }
    void showHelp(HelpTopic topic) override { inner_.showHelp(topic); }

private:
    Prompter& inner_;
    int errors_ = 0;
};

} // namespace qv
