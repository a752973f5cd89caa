#include "xsvf_player.h"

#include <array>
#include <deque>

namespace qv::sim {

namespace {

using namespace qv::xsvf;

// Clocks with TMS high that reach Test-Logic-Reset from any state.
constexpr int kResetClocks = 5;
// XSDRINC holds a start vector and up to 255 data values.
constexpr size_t kMostVectorsPerInstruction = 2 + 255;

bool IsState(uint32_t value)
{
    return value < uint32_t(kTapStates);
}

// The end state operand of XENDIR/XENDDR: 0 Run-Test/Idle, 1 the pause state.
bool EndState(uint32_t value, TapState pause, TapState& state)
{
    if (value > 1)
        return false;
    state = value == 0 ? TapState::RunTestIdle : pause;
    return true;
}

} // namespace

XsvfPlayer::XsvfPlayer(JtagChain& chain, size_t maxVectorBytes) : chain_(chain), maxVectorBytes_(maxVectorBytes)
{
}

bool XsvfPlayer::feed(std::span<const uint8_t> bytes)
{
    if (finished_)
        return true;
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    size_t at = 0;
    while (!finished_) {
        Instruction in;
        size_t size = 0;
        const DecodeResult r = reader_.next(std::span<const uint8_t>(pending_).subspan(at), in, size);
        if (r == DecodeResult::UnknownInstruction) {
            finish(kIllegalCommand);
            break;
        }
        if (r != DecodeResult::Ok) {
            // Waits for the rest, unless it could never hold it.
            if (size > kMostVectorsPerInstruction * maxVectorBytes_ + 8)
                finish(kDataOverflow);
            break;
        }
        at += size;
        ++instructionsRun_;
        run(in);
    }
    if (finished_)
        pending_.clear();
    else
        pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(at));
    return finished_;
}

void XsvfPlayer::finish(uint8_t status)
{
    finished_ = true;
    status_ = status;
}

void XsvfPlayer::run(const Instruction& in)
{
    const auto vector = [&](size_t i) -> const Vector& { return in.vectors.at(i); };
    switch (in.opcode) {
    case XCOMPLETE:
        finish(kSuccess);
        break;
    case XTDOMASK:
        tdoMask_ = vector(0);
        break;
    case XSIR:
    case XSIR2:
        if (fits(in.number))
            scanInstruction(in.number, vector(0));
        else
            finish(kDataOverflow);
        break;
    case XSDR:
        scanChecked(vector(0), expectedTdo_);
        break;
    case XRUNTEST:
        runTest_ = in.number;
        break;
    case XREPEAT:
        repeat_ = in.number;
        break;
    case XSDRSIZE:
        if (fits(in.number))
            sdrBits_ = in.number;
        else
            finish(kDataOverflow);
        break;
    case XSDRTDO:
        expectedTdo_ = vector(1);
        scanChecked(vector(0), expectedTdo_);
        break;
    case XSETSDRMASKS:
        addressMask_ = vector(0);
        dataMask_ = vector(1);
        break;
    case XSDRINC:
        shiftIncrementing(in);
        break;
    case XSDRB:
    case XSDRTDOB:
    case XSDRC:
    case XSDRTDOC:
    case XSDRE:
    case XSDRTDOE: {
        const bool last = in.opcode == XSDRE || in.opcode == XSDRTDOE;
        goTo(TapState::ShiftDR);
        const Vector tdo = shift(sdrBits_, vector(0), last);
        if (in.vectors.size() > 1 && !matches(tdo, vector(1)))
            finish(kTdoMismatch);
        else if (last)
            endShift(endDr_);
        break;
    }
    case XSTATE:
        if (IsState(in.number))
            goTo(TapState(in.number));
        else
            finish(kIllegalCommand);
        break;
    case XENDIR:
        if (!EndState(in.number, TapState::PauseIR, endIr_))
            finish(kIllegalCommand);
        break;
    case XENDDR:
        if (!EndState(in.number, TapState::PauseDR, endDr_))
            finish(kIllegalCommand);
        break;
    case XCOMMENT:
        break;
    case XWAIT:
        if (!IsState(in.waitState) || !IsState(in.endState)) {
            finish(kIllegalCommand);
            break;
        }
        goTo(TapState(in.waitState));
        chain_.wait(in.number);
        goTo(TapState(in.endState));
        break;
    default:
        finish(kIllegalCommand);
        break;
    }
}

void XsvfPlayer::goTo(TapState target)
{
    if (target == TapState::TestLogicReset) {
        for (int i = 0; i < kResetClocks; ++i)
            chain_.clock(true, false);
        return;
    }
    // The shortest TMS path through the sixteen states.
    std::array<int, kTapStates> from;
    std::array<bool, kTapStates> tmsInto{};
    from.fill(-1);
    const TapState start = chain_.state();
    from[size_t(start)] = int(start);
    std::deque<TapState> queue{start};
    while (!queue.empty() && from[size_t(target)] < 0) {
        const TapState s = queue.front();
        queue.pop_front();
        for (bool tms : {false, true}) {
            const TapState n = nextTapState(s, tms);
            if (from[size_t(n)] >= 0)
                continue;
            from[size_t(n)] = int(s);
            tmsInto[size_t(n)] = tms;
            queue.push_back(n);
        }
    }
    std::vector<bool> path;
    for (TapState s = target; s != start; s = TapState(from[size_t(s)]))
        path.push_back(tmsInto[size_t(s)]);
    for (auto tms = path.rbegin(); tms != path.rend(); ++tms)
        chain_.clock(*tms, false);
}

XsvfPlayer::Vector XsvfPlayer::shift(uint32_t bits, const Vector& tdi, bool exit)
{
    Vector tdo(VectorBytes(bits), 0);
    for (uint32_t i = 0; i < bits; ++i)
        if (chain_.clock(exit && i + 1 == bits, VectorBit(tdi, i)))
            SetVectorBit(tdo, i, true);
    return tdo;
}

bool XsvfPlayer::matches(const Vector& tdo, const Vector& expected) const
{
    for (uint32_t i = 0; i < sdrBits_; ++i)
        if (VectorBit(tdoMask_, i) && VectorBit(tdo, i) != VectorBit(expected, i))
            return false;
    return true;
}

void XsvfPlayer::endShift(TapState end)
{
    goTo(end);
    if (end == TapState::RunTestIdle)
        chain_.wait(runTest_);
}

void XsvfPlayer::scanInstruction(uint32_t bits, const Vector& tdi)
{
    goTo(TapState::ShiftIR);
    shift(bits, tdi, true);
    endShift(endIr_);
}

bool XsvfPlayer::scanChecked(const Vector& tdi, const Vector& expected)
{
    goTo(TapState::ShiftDR);
    for (uint32_t attempt = 0;; ++attempt) {
        const Vector tdo = shift(sdrBits_, tdi, true);
        if (matches(tdo, expected)) {
            endShift(endDr_);
            return true;
        }
        if (attempt >= repeat_) {
            finish(kTdoMismatch);
            return false;
        }
        // Once more through Pause-DR, without a new capture.
        goTo(TapState::PauseDR);
        goTo(TapState::ShiftDR);
    }
}

void XsvfPlayer::shiftIncrementing(const Instruction& in)
{
    Vector value = in.vectors.at(0);
    if (!scanChecked(value, expectedTdo_))
        return;
    for (size_t n = 1; n < in.vectors.size(); ++n) {
        // Add one to the address bits, then lay the data bits into theirs.
        bool carry = true;
        for (uint32_t i = 0; i < sdrBits_ && carry; ++i) {
            if (!VectorBit(addressMask_, i))
                continue;
            const bool bit = VectorBit(value, i);
            SetVectorBit(value, i, !bit);
            carry = bit;
        }
        size_t next = 0;
        for (uint32_t i = 0; i < sdrBits_; ++i)
            if (VectorBit(dataMask_, i))
                SetVectorBit(value, i, VectorBit(in.vectors[n], next++));
        if (!scanChecked(value, expectedTdo_))
            return;
    }
}

} // namespace qv::sim
