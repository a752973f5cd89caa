#pragma once

#include "update_channel.h"
#include "update_identity.h"

#include <string>

namespace qv {

// QV-Update's DOT identity query: "\r.LI" + n + ",-\r" for n = 1, 11, 21,
// up to three attempts. Fills the identity from the ".AI" reports; true
// when the instrument gave its information.
bool QueryTextInformation(UpdateChannel& channel, UpdateIdentity& identity);

// Applies the "AI" reports of collected text (CR and LF already removed).
void ApplyTextInformation(std::string text, UpdateIdentity& identity);

// Item 7, an ImageVersion sent as a decimal number, as a decimal version:
// 1328 (0x0530) gives 5.30. Digits that are not decimal give nothing.
bool VersionFromImageVersion(int64_t value, double& version);

} // namespace qv
