#pragma once

#include "platform/host/prompter.h"

#include <string>

namespace qvtool {

// The service tool asks nobody: messages are kept so that a failure line can
// name them, and every question gets its default answer.
class ConsolePrompter : public qv::Prompter {
public:
    qv::Answer message(qv::MessageKind kind, const std::string& text, unsigned buttons, qv::Answer defaultAnswer,
                       qv::HelpTopic helpTopic, qv::MessageStyle style) override;
    std::optional<std::string> inputBox(const std::string&, const std::string&, const std::string&) override
    {
        return std::nullopt;
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
    void showHelp(qv::HelpTopic) override {} // no help pages on a console

    // The last error shown, with its line breaks as spaces; "" when none.
    const std::string& lastError() const { return lastError_; }

private:
    std::string lastError_;
};

} // namespace qvtool
