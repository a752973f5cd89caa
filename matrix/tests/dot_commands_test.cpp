#include "matrix/dot_commands.h"

#include <gtest/gtest.h>

TEST(DotCommands, ExactTexts)
{
    using qv::PointerEvent;
    const std::pair<std::string, std::string> cases[] = {
        {qv::DotIdentityQuery(11), "\r.LI11,-\r"},
        {qv::DotPresetQuery(), ".LP9,-\r"},
        {qv::DotCrosspointList(91), ".LA91,-*\r"},
        {qv::DotGainQuery(35), ".LG35,-\r"},
        {qv::DotSetCrosspoint(5, 12), ".SA5,12*\r"},
        {qv::DotSetGain(35, -45), ".SG35,-45\r"},
        {qv::DotSetGain(2, 120), ".SG2,120\r"},
        {qv::DotSelectPreset(11), ".SP9,11\r"},
        {qv::DotSetParameter1(3), ".SP1,3\r"},
        {qv::kDotTakeOverConfiguration, "\r.SP15,22\r"},
        {qv::kDotFreezeScreen, "\r.SP15,17\r"},
        {qv::kDotUnfreezeScreen, "\r.SP15,19\r"},
        {qv::DotPointer(PointerEvent::Move, 100, 200), ".Sm100,200\r\n"},
        {qv::DotPointer(PointerEvent::LeftDown, 0, 7), ".Sa0,7\r\n"},
        {qv::DotPointer(PointerEvent::WheelDown, 3, 4), ".Sh3,4\r\n"},
        {qv::DotMacroCommand(".SA5,3"), ".SA5,3\r"},
        {qv::kDotRestartNotice, "0"},
    };
    for (const auto& [built, expected] : cases)
        EXPECT_EQ(built, expected);
    EXPECT_EQ(qv::kDotCrosspointListFirstOutputs.back(), 91);
}
