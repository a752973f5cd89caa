#pragma once

#include "platform/host/prompter.h"

#include <cstdio>

namespace qv {

// The dialogs of an unattended run: each message goes to stderr as its
// kind and text, each question takes its default button, and no file is
// ever chosen.
class BatchPrompter : public Prompter {
public:
    explicit BatchPrompter(std::FILE* out = stderr) : out_(out) {}

    Answer message(MessageKind kind, const std::string& text, unsigned buttons = ButtonOk,
                   Answer defaultAnswer = Answer::Ok, HelpTopic helpTopic = HelpTopic::Contents,
                   MessageStyle style = MessageStyle::Normal) override;
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string& defaultValue) override
    {
        return defaultValue;
    }
    std::optional<std::string> openFile(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
    }
    std::optional<std::string> chooseFolder(const std::string&, const std::string&) override { return std::nullopt; }
    void showHelp(HelpTopic) override {}

    // "Error: " and the text with a line break for each "\r".
    static std::string Line(MessageKind kind, const std::string& text);

private:
    std::FILE* out_;
};

} // namespace qv
