#include "batch_prompter.h"

namespace qv {

namespace {

const char* KindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error:
        return "Error";
    case MessageKind::Warning:
        return "Warning";
    case MessageKind::Information:
        return "Information";
    case MessageKind::Confirmation:
        break;
    }
    return "Confirmation";
}

} // namespace

std::string BatchPrompter::Line(MessageKind kind, const std::string& text)
{
    std::string line = std::string(KindName(kind)) + ": ";
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            line += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += text[i];
        }
    }
    return line + "\n";
}

Answer BatchPrompter::message(MessageKind kind, const std::string& text, unsigned, Answer defaultAnswer, HelpTopic,
                              MessageStyle)
{
    const std::string line = Line(kind, text);
    std::fputs(line.c_str(), out_);
    std::fflush(out_);
    return defaultAnswer;
}

} // namespace qv
