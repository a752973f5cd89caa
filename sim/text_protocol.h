#pragma once

#include "dot_command.h"
#include "instrument_options.h"

#include <string>

namespace qv::sim {

// What the running software answers to one DOT command; empty for
// commands it does not answer.
std::string dotReply(const DotCommand& command, const InstrumentOptions& options);

// ".SP15,21": after its reply the instrument restarts into download mode.
bool entersDownloadMode(const DotCommand& command);

} // namespace qv::sim
