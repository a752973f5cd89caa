#pragma once

#include "platform/host/pc_facts.h"

namespace qv {

// The PC's facts as Qt and, on Linux, /proc and /sys tell them now.
PcFacts ReadPcFacts();

} // namespace qv
