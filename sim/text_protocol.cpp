#include "text_protocol.h"

#include "identity_items.h"

namespace qv::sim {

namespace {

std::string listIdentity(const DotCommand& command, const InstrumentOptions& options)
{
    if (command.arguments.size() != 2 || command.arguments[1] != "-")
        return {};
    const auto first = dotNumber(command.arguments[0]);
    return first ? identityReply(*first, options) : std::string();
}

bool isParameter(const DotCommand& command, const char* number, const char* value)
{
    return command.operation == 'S' && command.object == "P" && command.arguments.size() == 2 &&
           command.arguments[0] == number && command.arguments[1] == value;
}

} // namespace

std::string dotReply(const DotCommand& command, const InstrumentOptions& options)
{
    if (command.operation == 'L' && command.object == "I")
        return listIdentity(command, options);
    // Download-mode entry: prepared, then confirmed just before the restart.
    if (isParameter(command, "15", "20"))
        return ".AP15,19\r\n";
    if (entersDownloadMode(command))
        return ".AP15,20.\r\n";
    return {};
}

bool entersDownloadMode(const DotCommand& command)
{
    return isParameter(command, "15", "21");
}

} // namespace qv::sim
