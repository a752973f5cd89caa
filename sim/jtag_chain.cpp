#include "jtag_chain.h"

namespace qv::sim {

namespace {

// Captured into every instruction register bit by bit: 01, low bit first.
constexpr uint16_t kIrCapture = 0x0001;

} // namespace

TapState nextTapState(TapState state, bool tms)
{
    using S = TapState;
    switch (state) {
    case S::TestLogicReset: return tms ? S::TestLogicReset : S::RunTestIdle;
    case S::RunTestIdle: return tms ? S::SelectDR : S::RunTestIdle;
    case S::SelectDR: return tms ? S::SelectIR : S::CaptureDR;
    case S::CaptureDR: return tms ? S::Exit1DR : S::ShiftDR;
    case S::ShiftDR: return tms ? S::Exit1DR : S::ShiftDR;
    case S::Exit1DR: return tms ? S::UpdateDR : S::PauseDR;
    case S::PauseDR: return tms ? S::Exit2DR : S::PauseDR;
    case S::Exit2DR: return tms ? S::UpdateDR : S::ShiftDR;
    case S::UpdateDR: return tms ? S::SelectDR : S::RunTestIdle;
    case S::SelectIR: return tms ? S::TestLogicReset : S::CaptureIR;
    case S::CaptureIR: return tms ? S::Exit1IR : S::ShiftIR;
    case S::ShiftIR: return tms ? S::Exit1IR : S::ShiftIR;
    case S::Exit1IR: return tms ? S::UpdateIR : S::PauseIR;
    case S::PauseIR: return tms ? S::Exit2IR : S::PauseIR;
    case S::Exit2IR: return tms ? S::UpdateIR : S::ShiftIR;
    case S::UpdateIR: return tms ? S::SelectDR : S::RunTestIdle;
    }
    return S::TestLogicReset;
}

bool JtagChain::clock(bool tms, bool tdi)
{
    bool tdo = false;
    if (state_ == TapState::ShiftIR)
        tdo = shiftInstruction(tdi);
    else if (state_ == TapState::ShiftDR)
        tdo = shiftData(tdi);
    enter(nextTapState(state_, tms));
    return tdo;
}

void JtagChain::enter(TapState state)
{
    state_ = state;
    switch (state) {
    case TapState::TestLogicReset:
        instruction_ = kIdcode;
        break;
    case TapState::CaptureIR:
        irFpga_ = kIrCapture;
        irCompanion_ = kIrCapture;
        break;
    case TapState::UpdateIR:
        instruction_ = irFpga_;
        if (instruction_ == kStart && configurationBits_ > 0)
            started_ = true;
        // New configuration data for a running FPGA replaces the old.
        if (instruction_ == kConfigIn && started_) {
            started_ = false;
            configuration_.clear();
            configurationBits_ = 0;
        }
        break;
    case TapState::CaptureDR:
        drCompanion_ = false;
        drFpga_ = instruction_ == kIdcode ? idcode_ : 0;
        scanBits_.clear();
        break;
    case TapState::UpdateDR:
        // The first bit the configuration port saw was the companion's
        // captured bypass bit, not data from TDI.
        if (instruction_ == kConfigIn)
            for (size_t i = 1; i < scanBits_.size(); ++i)
                takeConfigurationBit(scanBits_[i]);
        scanBits_.clear();
        break;
    default:
        break;
    }
}

bool JtagChain::shiftInstruction(bool tdi)
{
    const bool out = irFpga_ & 1;
    irFpga_ = uint16_t(irFpga_ >> 1 | (irCompanion_ & 1) << (kFpgaIrBits - 1));
    irCompanion_ = uint16_t(irCompanion_ >> 1 | uint16_t(tdi) << (kCompanionIrBits - 1));
    return out;
}

bool JtagChain::shiftData(bool tdi)
{
    const bool intoFpga = drCompanion_;
    drCompanion_ = tdi;
    switch (instruction_) {
    case kConfigIn:
        scanBits_.push_back(intoFpga);
        return false;
    case kIdcode: {
        const bool out = drFpga_ & 1;
        drFpga_ = drFpga_ >> 1 | uint32_t(intoFpga) << 31;
        return out;
    }
    default: { // bypass: one bit
        const bool out = drFpga_ & 1;
        drFpga_ = intoFpga;
        return out;
    }
    }
}

void JtagChain::takeConfigurationBit(bool bit)
{
    if (configurationBits_ % 8 == 0)
        configuration_.push_back(0);
    if (bit)
        configuration_.back() = uint8_t(configuration_.back() | 0x80 >> (configurationBits_ % 8));
    ++configurationBits_;
}

} // namespace qv::sim
