#pragma once

#include "updater/xsvf.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qv::sim {

using TapState = xsvf::TapState;

// The TAP controller's next state for a TMS level.
TapState nextTapState(TapState state, bool tms);

// The mainboard's JTAG chain as the I/O module drives it, one TCK at a time:
// TDI -> companion device -> FPGA -> TDO. The companion (a 16-bit instruction
// register) only ever bypasses; the FPGA has a 14-bit instruction register,
// its IDCODE, and a configuration port that keeps what is shifted in while
// CFG_IN is selected. The instructions of the whole chain are 30 bits, the
// FPGA's in the low 14 (they are shifted first and travel furthest).
class JtagChain {
public:
    static constexpr int kFpgaIrBits = 14;
    static constexpr int kCompanionIrBits = 16;
    static constexpr int kChainIrBits = kFpgaIrBits + kCompanionIrBits;
    // The FPGA's instructions.
    static constexpr uint16_t kIdcode = 0x3FC9;
    static constexpr uint16_t kConfigIn = 0x3FC5;
    static constexpr uint16_t kStart = 0x3FCC;
    static constexpr uint16_t kBypass = 0x3FFF;
    static constexpr uint16_t kCompanionBypass = 0xFFFF;

    explicit JtagChain(uint32_t idcode) : idcode_(idcode) {}

    // One TCK: the device acts in the state it is in, then the TAP moves on
    // by TMS. Returns TDO as it stood before the edge.
    bool clock(bool tms, bool tdi);
    // TCK cycles that change nothing (Run-Test/Idle, the pause states).
    void wait(uint64_t cycles) { waitCycles_ += cycles; }

    TapState state() const { return state_; }
    uint16_t instruction() const { return instruction_; }
    uint32_t idcode() const { return idcode_; }
    void setIdcode(uint32_t idcode) { idcode_ = idcode; }

    // The configuration data taken so far, packed first bit first from the
    // high bit of each byte; the last byte may be partial.
    const std::vector<uint8_t>& configuration() const { return configuration_; }
    size_t configurationBits() const { return configurationBits_; }
    // The FPGA was started (JSTART) after configuration data came in. CFG_IN
    // selected after that begins a new configuration.
    bool started() const { return started_; }
    uint64_t waitCycles() const { return waitCycles_; }

private:
    void enter(TapState state);
    bool shiftInstruction(bool tdi);
    bool shiftData(bool tdi);
    void takeConfigurationBit(bool bit);

    uint32_t idcode_;
    TapState state_ = TapState::TestLogicReset;
    uint16_t instruction_ = kIdcode;
    uint16_t irFpga_ = 0;
    uint16_t irCompanion_ = 0;
    uint32_t drFpga_ = 0;          // IDCODE or bypass register
    bool drCompanion_ = false;     // the companion's bypass bit
    std::vector<bool> scanBits_;   // CFG_IN bits of the scan in progress
    std::vector<uint8_t> configuration_;
    size_t configurationBits_ = 0;
    bool started_ = false;
    uint64_t waitCycles_ = 0;
};

} // namespace qv::sim
