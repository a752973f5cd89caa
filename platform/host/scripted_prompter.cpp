#include "scripted_prompter.h"

#include <algorithm>

namespace qv {

Answer ScriptedPrompter::message(MessageKind kind, const std::string& text, unsigned buttons,
                                 Answer defaultAnswer, HelpTopic helpTopic, MessageStyle style)
{
    shown_.push_back({kind, text, buttons, defaultAnswer, helpTopic, style});
    if (answers_.empty())
        return defaultAnswer;
    Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<std::string> ScriptedPrompter::nextText(const std::string& caption)
{
    shown_.push_back(
        {MessageKind::Information, caption, ButtonNone, Answer::Cancel, HelpTopic::Contents, MessageStyle::Normal});
    if (texts_.empty())
        return std::nullopt;
    auto t = texts_.front();
    texts_.pop_front();
    return t;
}

std::optional<std::string> ScriptedPrompter::inputBox(const std::string& caption, const std::string&,
                                                      const std::string&)
{
    return nextText(caption);
}

std::optional<std::string> ScriptedPrompter::openFile(const std::string& caption, const std::string&,
                                                      const std::string&)
{
    return nextText(caption);
}

std::optional<std::string> ScriptedPrompter::saveFile(const std::string& caption, const std::string&,
                                                      const std::string&)
{
    lastFilter_ = 1;
    if (!filters_.empty()) {
        lastFilter_ = filters_.front();
        filters_.pop_front();
    }
    return nextText(caption);
}

std::optional<std::string> ScriptedPrompter::chooseFolder(const std::string& caption, const std::string&)
{
    return nextText(caption);
}

std::vector<std::string> ScriptedPrompter::texts() const
{
    std::vector<std::string> out;
    for (const auto& s : shown_)
        out.push_back(s.text);
    return out;
}

int ScriptedPrompter::count(const std::string& text) const
{
    return int(std::count_if(shown_.begin(), shown_.end(), [&](const Shown& s) { return s.text == text; }));
}

} // namespace qv
