#include "update_download_mode.h"

#include "download_mode.h"

namespace qv {

namespace {
constexpr int kLinePolls = 100;
}

bool RestartInDownloadMode(UpdateChannel& channel, const UpdateIdentity& identity, bool noWait)
{
    if (identity.biosMode || !identity.textInfoReceived)
        return false;
    const RxMode previousMode = channel.rxMode;
    channel.rxMode = RxMode::DotText;
    channel.dotCollect = true;
    DownloadModeIo io{
        [&] { channel.ClearRx(); },
        [&](const std::string& text) { channel.port().write(text); },
        [&] {
            for (int poll = 0; poll < kLinePolls && !channel.lineFlag && !channel.aborted(); ++poll)
                channel.Poll();
        },
        [&] { return channel.accumulator; },
    };
    const bool confirmed = RequestDownloadMode(io, noWait);
    channel.dotCollect = false;
    channel.rxMode = previousMode;
    return confirmed;
}

} // namespace qv
