#pragma once

#include <array>
#include <string>

namespace qv {

// The DOT command lines QV-Matrix sends, terminators included. The
// download-mode entry lives with the link (RequestDownloadMode), which both
// programs share.

// Sent on its own to clear a partly received line in the instrument.
inline constexpr char kDotLineClear[] = "\r";
// Sent before the restart procedure; no terminator.
inline constexpr char kDotRestartNotice[] = "0";

// "\r.LI" + n + ",-\r": identity items from item n.
std::string DotIdentityQuery(int firstItem);
inline constexpr std::array<int, 3> kDotIdentityFirstItems{1, 11, 21};

// ".LP9,-\r": the current preset, answered by an "AP" report on parameter 9.
std::string DotPresetQuery();
// ".LA" + n + ",-*\r": the crosspoints of outputs n to n+9.
std::string DotCrosspointList(int firstOutput);
inline constexpr std::array<int, 10> kDotCrosspointListFirstOutputs{1, 11, 21, 31, 41, 51, 61, 71, 81, 91};
// ".LG" + n + ",-\r": the gain of output n.
std::string DotGainQuery(int output);

// ".SA" + output + "," + input + "*\r": route input to output.
std::string DotSetCrosspoint(int output, int input);
// ".SG" + n + "," + tenths + "\r": the gain of output n in tenths of a dB.
std::string DotSetGain(int output, int tenths);
// ".SP9," + n + "\r": select preset n.
std::string DotSelectPreset(int preset);
// ".SP1," + n + "\r": parameter 1.
std::string DotSetParameter1(int value);

// Make the instrument take over its changed configuration memory.
inline constexpr char kDotTakeOverConfiguration[] = "\r.SP15,22\r";
// The screen grab's two commands.
inline constexpr char kDotFreezeScreen[] = "\r.SP15,17\r";
inline constexpr char kDotUnfreezeScreen[] = "\r.SP15,19\r";

// The mouse pad's pointer events.
enum class PointerEvent : char {
    Move = 'm',
    LeftDown = 'a',
    LeftUp = 'b',
    MiddleDown = 'c',
    MiddleUp = 'd',
    RightDown = 'e',
    RightUp = 'f',
    WheelUp = 'g',
    WheelDown = 'h',
};
// ".S" + k + x + "," + y + "\r\n".
std::string DotPointer(PointerEvent event, int x, int y);

// A macro's command line goes out unchanged with "\r".
std::string DotMacroCommand(const std::string& line);

} // namespace qv
