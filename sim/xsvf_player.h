#pragma once

#include "jtag_chain.h"
#include "updater/xsvf.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace qv::sim {

// The I/O module's XSVF player: it takes the stream in pieces as the blocks
// arrive and runs each instruction against the chain as soon as it is whole.
class XsvfPlayer {
public:
    // The status byte the module sends at the end.
    static constexpr uint8_t kSuccess = 0;
    static constexpr uint8_t kTdoMismatch = 2;
    static constexpr uint8_t kIllegalCommand = 4;
    static constexpr uint8_t kDataOverflow = 6;

    // maxVectorBytes: the longest register shift the player holds; longer
    // ones end the stream with kDataOverflow.
    XsvfPlayer(JtagChain& chain, size_t maxVectorBytes);

    // The next bytes of the stream. True once the stream has ended, by
    // XCOMPLETE or an error; later bytes are ignored.
    bool feed(std::span<const uint8_t> bytes);

    bool finished() const { return finished_; }
    uint8_t status() const { return status_; }
    int instructionsRun() const { return instructionsRun_; }

private:
    using Vector = xsvf::Vector;

    void run(const xsvf::Instruction& in);
    void finish(uint8_t status);
    void goTo(TapState target);
    // Shifts bits in Shift-IR or Shift-DR; exit leaves by the last bit.
    Vector shift(uint32_t bits, const Vector& tdi, bool exit);
    // A whole data scan whose TDO is checked, repeated up to XREPEAT times.
    bool scanChecked(const Vector& tdi, const Vector& expected);
    bool matches(const Vector& tdo, const Vector& expected) const;
    void endShift(TapState end);
    void scanInstruction(uint32_t bits, const Vector& tdi);
    void shiftIncrementing(const xsvf::Instruction& in);
    bool fits(uint32_t bits) const { return xsvf::VectorBytes(bits) <= maxVectorBytes_; }

    JtagChain& chain_;
    const size_t maxVectorBytes_;
    xsvf::Reader reader_;
    std::vector<uint8_t> pending_;
    bool finished_ = false;
    uint8_t status_ = kSuccess;
    int instructionsRun_ = 0;

    uint32_t sdrBits_ = 0;
    uint32_t repeat_ = 32;
    uint32_t runTest_ = 0;
    TapState endIr_ = TapState::RunTestIdle;
    TapState endDr_ = TapState::RunTestIdle;
    Vector tdoMask_;        // empty: no TDO bit is compared
    Vector expectedTdo_;
    Vector addressMask_;
    Vector dataMask_;
};

} // namespace qv::sim
