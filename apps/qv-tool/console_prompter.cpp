#include "console_prompter.h"

namespace qvtool {

qv::Answer ConsolePrompter::message(qv::MessageKind kind, const std::string& text, unsigned, qv::Answer defaultAnswer,
                                    qv::HelpTopic, qv::MessageStyle)
{
    if (kind == qv::MessageKind::Error || kind == qv::MessageKind::Warning) {
        lastError_ = text;
        for (char& c : lastError_)
            if (c == '\r' || c == '\n')
                c = ' ';
    }
    return defaultAnswer;
}

} // namespace qvtool
