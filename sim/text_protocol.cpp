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

} // namespace

std::string dotReply(const DotCommand& command, const InstrumentOptions& options)
{
    if (command.operation == 'L' && command.object == "I")
        return listIdentity(command, options);
    return {};
}

} // namespace qv::sim
