#pragma once

#include "prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace qv {

// Test prompter: answers from a queue and records every text shown.
// With an empty queue a message gets its default answer and a text box is
// cancelled, so an unexpected dialog never blocks a test.
class ScriptedPrompter : public Prompter {
public:
    struct Shown {
        MessageKind kind;
        std::string text;
        unsigned buttons;
        Answer defaultAnswer;
        HelpTopic helpTopic;
        MessageStyle style;
    };

    void queueAnswer(Answer a) { answers_.push_back(a); }
    void queueText(std::optional<std::string> text) { texts_.push_back(std::move(text)); }
    // The filter the next file dialog reports as picked (1 when none is queued).
    void queueFilter(int index) { filters_.push_back(index); }
    int lastFilterIndex() const override { return lastFilter_; }

    Answer message(MessageKind kind, const std::string& text, unsigned buttons, Answer defaultAnswer,
                   HelpTopic helpTopic, MessageStyle style) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultValue) override;
    std::optional<std::string> openFile(const std::string& caption, const std::string& filter,
                                        const std::string& folder) override;
    std::optional<std::string> saveFile(const std::string& caption, const std::string& filter,
                                        const std::string& suggestion) override;
    std::optional<std::string> chooseFolder(const std::string& caption, const std::string& folder) override;
    void showHelp(HelpTopic topic) override { helpTopics_.push_back(topic); }
    // The topics the help was opened at, in order.
    const std::vector<HelpTopic>& helpTopics() const { return helpTopics_; }

    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<std::string> texts() const;
    int count(const std::string& text) const;
    void clearShown() { shown_.clear(); }

private:
    std::optional<std::string> nextText(const std::string& caption);

    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> texts_;
    std::deque<int> filters_;
    int lastFilter_ = 1;
    std::vector<Shown> shown_;
    std::vector<HelpTopic> helpTopics_;
};

} // namespace qv
