#pragma once

#include "instrument_options.h"

#include <optional>
#include <string>

namespace qv::sim {

// Identity items of the DOT protocol: 1 serial, 3 firmware version,
// 4 hardware ID, 5 BIOS version, 6 extended BIOS ID, 7 software version
// (the ImageVersion as a decimal number), 8 and 9 channel counts,
// 10-13 input and 14-17 output module codes. Nothing for other items.
std::optional<long> identityItem(int item, const InstrumentOptions& options);

// The ".AI" lines answering ".LI" + first + ",-": the existing items of
// first..first+9, each "\r\n"-terminated; empty when there are none.
std::string identityReply(int first, const InstrumentOptions& options);

} // namespace qv::sim
