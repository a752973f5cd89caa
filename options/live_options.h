#pragma once

#include "matrix/dot_gain.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qv {

// Remote control as the option dialogs use it for their live writes. While
// it is not connected the dialogs work on the image only and call nothing
// else.
class LiveOptions {
public:
    virtual ~LiveOptions() = default;

    virtual bool connected() const = 0;

    // The wait window with a text, until hideWait.
    virtual void showWait(const std::string& text) = 0;
    virtual void hideWait() = 0;
    // Keeps the window alive meanwhile.
    virtual void pause(int ms) = 0;

    // The selected preset's options block, as the image holds it, into the
    // instrument's memory. False when it was not taken ("BDMA Error" is
    // already said for a block that could not be read).
    virtual bool writeOptionsBlock() = 0;
    // Bytes (offset within the block, value) put into the 128-byte block of
    // instrument memory at blockAddress.
    virtual bool patchBlock(uint32_t blockAddress, const std::vector<std::pair<int, uint8_t>>& bytes) = 0;
    // The name of preset index 0..10 into the instrument, then the take-over;
    // the image takes the name in any case.
    virtual bool writePresetName(int index, const std::string& name) = 0;
    // "\r.SP15,22\r" with the receive buffer cleared first.
    virtual void takeOverConfiguration() = 0;

    // ".SG" with its retries.
    virtual GainReply setGain(int output, int tenths) = 0;
    // The gain the instrument reports for an output, in tenths of a dB.
    virtual int liveGain(int output) = 0;
};

} // namespace qv
