#include "dot_identity_query.h"

#include "dot_commands.h"
#include "link/dot_message.h"

namespace qv {

namespace {
constexpr int kAttempts = 3;
constexpr int kLineRounds = 30; // 300 ms per query
constexpr int kSettleRounds = 3; // a line gap of 30 ms ends a reply

// Waits for the first reply line, then for the rest of the reply: each
// query lists up to ten items, and stopping at the first line would lose
// the others. Bounded by twice the wait for a line.
void CollectReply(MatrixChannel& channel)
{
    channel.WaitLine(kLineRounds);
    for (int rounds = 0; rounds < kLineRounds; rounds += kSettleRounds) {
        const size_t before = channel.lineBuffer.size();
        channel.WaitLine(kSettleRounds);
        if (channel.lineBuffer.size() == before)
            break;
    }
}
} // namespace

void ApplyIdentityReports(const std::string& text, DotIdentity& identity)
{
    ForEachDotMessage(text, [&](const DotMessage& m) {
        if (IsIdentityReport(m))
            identity.store(int(m.first), m.second);
    });
}

bool QueryDotIdentity(MatrixChannel& channel, InstrumentRecord& record)
{
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        channel.ClearInput();
        channel.collectOnly = true;
        channel.lineBuffer.clear();
        for (int first : kDotIdentityFirstItems) {
            channel.port().write(DotIdentityQuery(first));
            CollectReply(channel);
        }
        if (channel.lineBuffer.find(".AI1") != std::string::npos) {
            ApplyIdentityReports(channel.lineBuffer, record.dot);
            record.dot.received = true;
            record.remoteCapable = true;
            return true;
        }
    }
    channel.lineBuffer.clear();
    channel.collectOnly = false;
    record.remoteCapable = false;
    return false;
}

} // namespace qv
