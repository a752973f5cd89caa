#pragma once

#include "cdp_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv {

// An item is for every type when its mask is 0, else for type t when bit
// (t - 1) is set. Type 0 (unknown) gets only the items for every type; a
// type beyond the mask's 32 bits gets the same.
bool IsItemSelected(uint32_t mask, int type);

// Indices of the items selected for the type, in table order.
std::vector<size_t> SelectItems(const CdpPackage& package, int type);

// QV-Update marks a checked package as meant for the instrument when it
// selects at least one item, or whenever the type is unknown.
bool MeantForInstrument(const CdpPackage& package, int type);

} // namespace qv
