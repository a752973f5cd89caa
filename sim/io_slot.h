#pragma once

#include "io_module_options.h"

#include <cstdint>
#include <vector>

namespace qv::sim {

// An expansion module as the SPI UART reaches it: one-letter queries,
// answered with the letter and the value. An empty slot answers nothing.
class SlotModule {
public:
    void receive(const SlotModuleOptions& options, uint8_t byte, std::vector<uint8_t>& out);
    // Forgets a query cut short by a restart.
    void reset() { firmwareQuery_.clear(); }

private:
    std::vector<uint8_t> firmwareQuery_; // "g" and its three parameter bytes
};

} // namespace qv::sim
