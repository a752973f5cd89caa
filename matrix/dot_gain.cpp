#include "dot_gain.h"

#include "dot_commands.h"
#include "dot_receiver.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>

namespace qv {

int GainFromReply(const std::string& reply)
{
    const size_t ag = reply.find("AG");
    if (ag == std::string::npos)
        return 0;
    const size_t comma = reply.find(',', ag);
    if (comma == std::string::npos)
        return 0;
    size_t end = comma + 1;
    while (end < reply.size() && ((reply[end] >= '0' && reply[end] <= '9') || reply[end] == '-'))
        ++end;
    int tenths = 0;
    const char* first = reply.data() + comma + 1;
    const char* last = reply.data() + end;
    const auto [ptr, ec] = std::from_chars(first, last, tenths);
    return ec == std::errc() && ptr == last ? tenths : 0;
}

std::string GainText(int tenths)
{
    const int64_t magnitude = std::llabs(int64_t(tenths));
    return std::string(tenths < 0 ? "-" : "") + std::to_string(magnitude / 10) + "," + std::to_string(magnitude % 10);
}

int QueryGain(DotReceiver& receiver, int output, const std::function<void(const std::string&)>& log)
{
    receiver.enterWaitingMode();
    receiver.exchange(DotGainQuery(output));
    if (log)
        log(receiver.collected());
    const int tenths = GainFromReply(receiver.collected());
    receiver.leaveWaitingMode();
    receiver.clearCollected();
    return tenths;
}

GainReply SetGain(DotReceiver& receiver, int output, int tenths)
{
    receiver.enterWaitingMode();
    bool answered = false;
    for (int send = 0; send < kSetGainSends && !answered; ++send)
        answered = receiver.exchange(DotSetGain(output, tenths));
    const std::string& reply = receiver.collected();
    const size_t start = reply.find_first_not_of('.');
    const bool refused = answered && start != std::string::npos && reply[start] == 'F';
    receiver.leaveWaitingMode();
    receiver.clearCollected();
    if (!answered)
        return GainReply::None;
    return refused ? GainReply::Refused : GainReply::Taken;
}

} // namespace qv
