#pragma once

#include "update_channel.h"
#include "update_identity.h"

namespace qv {

// QV-Update's request to restart the running software into download mode;
// nothing is sent to an instrument in BIOS mode or without text replies.
bool RestartInDownloadMode(UpdateChannel& channel, const UpdateIdentity& identity, bool noWait);

} // namespace qv
