#include "text_protocol.h"

#include "identity_items.h"

namespace qv::sim {

namespace {

constexpr int kCrosspointsPerList = 10;
constexpr int kGainLimit = 210; // +-21,0 dB
constexpr int kPresetParameter = 9;
constexpr int kParameter1 = 1;
constexpr int kServiceParameter = 15;

std::string answer(char messageClass, const DotCommand& command)
{
    return std::string(".") + messageClass + commandTail(command) + "\r\n";
}

std::string acknowledged(const DotCommand& command)
{
    return answer('A', command);
}

std::string refused(const DotCommand& command)
{
    return answer('F', command);
}

std::string notKnown(const DotCommand& command)
{
    return answer('N', command);
}

bool isQuery(const DotCommand& command)
{
    return command.arguments.size() == 2 && command.arguments[1] == "-";
}

bool isPointer(const DotCommand& command)
{
    // 'm' moves; 'a' to 'h' are the button and wheel events.
    if (command.object.size() != 1)
        return false;
    const char event = command.object[0];
    return event == 'm' || (event >= 'a' && event <= 'h');
}

// A pointer event at x, y: the pointer goes there first, then the button
// or wheel acts. Positions off the screen are not the instrument's.
void movePointer(char event, int x, int y, PointerState& pointer)
{
    if (x < 0 || x >= PointerState::kWidth || y < 0 || y >= PointerState::kHeight) {
        ++pointer.ignored;
        return;
    }
    pointer.x = x;
    pointer.y = y;
    switch (event) {
    case 'm': ++pointer.moves; break;
    case 'a': pointer.left = true; ++pointer.clicks; break;
    case 'b': pointer.left = false; break;
    case 'c': pointer.middle = true; ++pointer.clicks; break;
    case 'd': pointer.middle = false; break;
    case 'e': pointer.right = true; ++pointer.clicks; break;
    case 'f': pointer.right = false; break;
    case 'g': ++pointer.wheelSteps; break;
    case 'h': --pointer.wheelSteps; break;
    default: break;
    }
}

std::string listCrosspoints(int first, bool remote, const LiveState& live)
{
    std::string reply;
    for (int o = first; o < first + kCrosspointsPerList && o <= kOutputs; ++o) {
        if (const int input = live.source(o))
            reply += crosspointReport(o, input, remote);
    }
    return reply;
}

std::string listReply(const DotCommand& command, const InstrumentOptions& options, const LiveState& live)
{
    const std::optional<int> first = isQuery(command) ? dotNumber(command.arguments[0]) : std::nullopt;
    if (!first)
        return notKnown(command);
    if (command.object == "I")
        return identityReply(*first, options);
    if (command.object == "A" && *first >= 1 && *first <= kOutputs)
        return listCrosspoints(*first, command.remote, live);
    if (command.object == "G" && *first >= 1 && *first <= kOutputs)
        return ".AG" + std::to_string(*first) + "," + std::to_string(live.gain(*first)) + "\r\n";
    if (command.object == "P" && *first == kPresetParameter)
        return presetReport(live.preset);
    if (command.object == "P" && *first == kParameter1)
        return ".AP1," + std::to_string(live.parameter1) + "\r\n";
    return notKnown(command);
}

std::string setParameter(const DotCommand& command, int parameter, int value, LiveState& live,
                         const std::vector<uint8_t>& memory)
{
    switch (parameter) {
    case kPresetParameter:
        if (value < 1 || value > kPresets)
            return refused(command);
        live.selectPreset(memory, value);
        return presetReport(value);
    case kParameter1:
        if (value < 1 || value > kPresets)
            return refused(command);
        live.parameter1 = value;
        return acknowledged(command);
    case kServiceParameter:
        switch (value) {
        case 17: // the display freezes or runs on: the instrument sees to it
        case 19: return {};
        // Download-mode entry: prepared, then confirmed just before the restart.
        case 20: return ".AP15,19\r\n";
        case 21: return ".AP15,20.\r\n";
        case 22:
            live.takeOver(memory);
            ++live.takeOvers;
            return {};
        default: return notKnown(command);
        }
    default:
        return notKnown(command);
    }
}

std::string setReply(const DotCommand& command, const InstrumentOptions& options, LiveState& live,
                     std::vector<uint8_t>& memory)
{
    if (command.arguments.size() != 2)
        return notKnown(command);
    const auto first = dotNumber(command.arguments[0]);
    const auto second = dotSignedNumber(command.arguments[1]);
    if (!first || !second)
        return notKnown(command);
    if (command.object == "A") {
        if (!canRoute(*second, *first, options.softwareVersion))
            return refused(command);
        live.route(memory, *first, *second);
        return acknowledged(command);
    }
    if (command.object == "G") {
        if (*first < 1 || *first > kOutputs || *second < -kGainLimit || *second > kGainLimit || options.writeLocked)
            return refused(command);
        live.setGain(memory, *first, *second);
        return acknowledged(command);
    }
    if (command.object == "P")
        return setParameter(command, *first, *second, live, memory);
    if (isPointer(command)) {
        live.lastPointer = commandTail(command);
        movePointer(command.object[0], *first, *second, live.pointer);
        return {};
    }
    return notKnown(command);
}

} // namespace

std::string dotReply(const DotCommand& command, const InstrumentOptions& options, LiveState& live,
                     std::vector<uint8_t>& memory)
{
    if (command.operation == 'L')
        return listReply(command, options, live);
    if (command.operation == 'S')
        return setReply(command, options, live, memory);
    return notKnown(command);
}

namespace {

// The value of a ".SP15," command: the service parameter.
std::optional<std::string> serviceValue(const DotCommand& command)
{
    if (command.operation != 'S' || command.object != "P" || command.arguments.size() != 2 ||
        command.arguments[0] != "15")
        return std::nullopt;
    return command.arguments[1];
}

} // namespace

bool entersDownloadMode(const DotCommand& command)
{
    return serviceValue(command) == "21";
}

std::optional<bool> freezesScreen(const DotCommand& command)
{
    const auto value = serviceValue(command);
    if (value == "17")
        return true;
    if (value == "19")
        return false;
    return std::nullopt;
}

std::string crosspointReport(int output, int input, bool remote)
{
    return ".AA" + std::to_string(output) + "," + std::to_string(input) + (remote ? "*" : "") + "\r\n";
}

std::string presetReport(int preset)
{
    return ".AP9," + std::to_string(preset) + "\r\n";
}

} // namespace qv::sim
