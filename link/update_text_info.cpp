#include "update_text_info.h"

#include "dot_message.h"

#include <cstdio>

namespace qv {

namespace {

constexpr int kAttempts = 3;
constexpr int kPollsPerQuery = 30;
constexpr int kFirstItems[] = {1, 11, 21};

std::string WithoutLineBreaks(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n')
            out += c;
    return out;
}

} // namespace

bool VersionFromImageVersion(int64_t value, double& version)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "%04llX", static_cast<unsigned long long>(value & 0xFFFF));
    for (int i = 0; i < 4; ++i)
        if (hex[i] < '0' || hex[i] > '9')
            return false;
    version = (hex[0] - '0') * 10 + (hex[1] - '0') + ((hex[2] - '0') * 10 + (hex[3] - '0')) / 100.0;
    return true;
}

void ApplyTextInformation(std::string text, UpdateIdentity& identity)
{
    ForEachDotMessage(std::move(text), [&](const DotMessage& m) {
        if (IsIdentityReport(m)) {
            const int item = int(m.first);
            if (item == DotIdentity::kSerial) {
                if (!identity.ioInterfacePresent)
                    identity.serial = int(m.second);
            } else if (item == DotIdentity::kSoftwareVersion) {
                VersionFromImageVersion(m.second, identity.softwareVersion);
            }
            identity.dot.store(item, m.second);
        }
    });
    identity.dot.received = true;
}

bool QueryTextInformation(UpdateChannel& channel, UpdateIdentity& identity)
{
    const RxMode previousMode = channel.rxMode;
    channel.rxMode = RxMode::DotText;
    channel.dotCollect = true;
    identity.textInfoReceived = false;
    for (int attempt = 0; attempt < kAttempts && !channel.aborted(); ++attempt) {
        channel.ClearRx();
        for (int first : kFirstItems) {
            channel.port().write("\r.LI" + std::to_string(first) + ",-\r");
            for (int poll = 0; poll < kPollsPerQuery && !channel.aborted(); ++poll)
                channel.Poll();
        }
        std::string text = WithoutLineBreaks(channel.accumulator);
        if ((" " + text).find("AI1") != std::string::npos) {
            ApplyTextInformation(text, identity);
            identity.textInfoReceived = true;
            break;
        }
    }
    channel.dotCollect = false;
    channel.ClearRx();
    channel.rxMode = previousMode;
    return identity.textInfoReceived;
}

} // namespace qv
