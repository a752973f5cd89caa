#include "dot_parser.h"

#include "config/image_layout.h"
#include "link/dot_message.h"

namespace qv {

namespace {

constexpr int64_t kPresetParameter = 9;

void HandleReport(const DotMessage& m, const DotParseState& state, DotMessageHandler& handler)
{
    if (!DotNumbersFitInt(m))
        return;
    const int first = int(m.first);
    const int second = int(m.second);
    if (m.messageClass == 'F') {
        handler.refusal(first, second);
        return;
    }
    if (m.messageClass != 'A')
        return;
    switch (m.object) {
    case 'A':
        handler.crosspointReport(first, second, m.trailing == '*');
        break;
    case 'P':
        // A preset the drop-down does not hold selects nothing.
        if (first == kPresetParameter && state.remoteConnected && second >= 1 && second <= kPresetCount)
            handler.presetReport(second);
        break;
    case 'I':
        handler.identityReport(first, m.second);
        break;
    default:
        break;
    }
}

// False when the message ends the parse without anything shown.
bool Handle(const DotMessage& m, const DotParseState& state, DotMessageHandler& handler)
{
    switch (m.kind) {
    case DotMessage::Kind::Report:
        HandleReport(m, state, handler);
        return true;
    case DotMessage::Kind::UpdateNotice:
        handler.updateNotice();
        handler.log(kDotUpdateLog);
        return true;
    case DotMessage::Kind::PowerUpNotice:
        if (!state.remoteConnected)
            return false;
        handler.powerUpNotice();
        handler.log(kDotPowerUpLog);
        return true;
    }
    return false;
}

bool IsNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '-';
}

} // namespace

void ParseDotText(std::string text, const DotParseState& state, DotMessageHandler& handler)
{
    ForEachDotMessageWhile(std::move(text), [&](const DotMessage& m) {
        if (!Handle(m, state, handler))
            return false;
        if (m.invalidBefore)
            handler.log(kDotInvalidLog);
        handler.messageShown(m.text);
        return !state.macroStopRequested;
    });
}

bool DotAcknowledges(const std::string& collected, const std::string& commandLine)
{
    const std::string command = commandLine.size() > 2 ? commandLine.substr(2) : std::string();
    const bool endsInNumber = !command.empty() && IsNumberChar(command.back());
    for (const char* cls : {".A", ".F", ".N"}) {
        const std::string ack = cls + command;
        for (size_t at = collected.find(ack); at != std::string::npos; at = collected.find(ack, at + 1)) {
            const size_t end = at + ack.size();
            if (!endsInNumber || end == collected.size() || !IsNumberChar(collected[end]))
                return true;
        }
    }
    return false;
}

} // namespace qv
