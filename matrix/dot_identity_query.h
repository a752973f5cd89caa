#pragma once

#include "link/instrument_record.h"
#include "link/matrix_channel.h"

#include <string>

namespace qv {

// QV-Matrix's DOT identity query: "\r.LI" + n + ",-\r" for n = 1, 11, 21,
// up to three attempts. On success the items are in the record, the DOT
// identity is known, and waiting mode stays on (received lines keep being
// collected) until remote control takes the line over.
bool QueryDotIdentity(MatrixChannel& channel, InstrumentRecord& record);

// Stores the "AI" reports of collected text in the identity.
void ApplyIdentityReports(const std::string& text, DotIdentity& identity);

} // namespace qv
