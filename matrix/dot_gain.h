#pragma once

#include <functional>
#include <string>

namespace qv {

class DotReceiver;

// The gain in a reply to ".LG": the digits (and "-") after the first ","
// that follows "AG", in tenths of a dB; 0 when there is no "AG" or the
// digits do not read as a number.
int GainFromReply(const std::string& reply);

// A gain in tenths of a dB as shown: one decimal, a comma as separator
// (-35 is "-3,5", 120 is "12,0").
std::string GainText(int tenths);

// Asks the instrument for the gain of an output in waiting mode and hands
// the collected reply to log. The gain in tenths of a dB; 0 without answer.
int QueryGain(DotReceiver& receiver, int output, const std::function<void(const std::string&)>& log);

inline constexpr int kSetGainSends = 5;
// How the instrument answered a gain setting: taken, refused with an "F"
// report, or not at all.
enum class GainReply { Taken, Refused, None };
// Sets the gain of an output: ".SG" until a line comes back, at most five
// sends.
GainReply SetGain(DotReceiver& receiver, int output, int tenths);

} // namespace qv
