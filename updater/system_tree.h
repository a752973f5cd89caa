#pragma once

#include "io_interface.h"
#include "link/update_identity.h"
#include "status_tree.h"

#include <cstdint>
#include <string>

namespace qv {

// Names of the mainboard flash chip's identity bytes.
std::string FlashManufacturerName(uint8_t id);
std::string FlashDeviceName(uint8_t id);

// A software version as the tree writes it: the number in decimal, without
// "," from 20 up.
std::string SoftwareVersionText(double version);

// The "System Information." tree of a connection: identity, software,
// mainboard, I/O-interface and modules, with the root expanded one level
// and no icons.
StatusTree BuildSystemTree(const UpdateIdentity& identity, const IoInterface& io);

} // namespace qv
