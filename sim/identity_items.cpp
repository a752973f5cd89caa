#include "identity_items.h"

namespace qv::sim {

namespace {

constexpr int kItemsPerReply = 10;

} // namespace

std::optional<long> identityItem(int item, const InstrumentOptions& options)
{
    switch (item) {
    case 1: return long(options.serial);
    case 3: return options.firmwareVersion;
    case 4: return options.hardwareId;
    case 5: return options.biosVersion;
    case 6: return options.extendedBiosId;
    case 7: return long(options.softwareVersion);
    case 8: return options.inputChannels;
    case 9: return options.outputChannels;
    default: break;
    }
    if (item >= 10 && item <= 13)
        return options.inputModules[size_t(item - 10)];
    if (item >= 14 && item <= 17)
        return options.outputModules[size_t(item - 14)];
    return std::nullopt;
}

std::string identityReply(int first, const InstrumentOptions& options)
{
    std::string reply;
    for (int item = first; item < first + kItemsPerReply; ++item) {
        if (const auto value = identityItem(item, options))
            reply += ".AI" + std::to_string(item) + "," + std::to_string(*value) + "\r\n";
    }
    return reply;
}

} // namespace qv::sim
