#include "options/mouse_pad.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qv {
namespace {

struct MousePadTest : ::testing::Test {
    VirtualClock clock;
    std::vector<std::string> sent;
    MousePad pad{clock, [this](const std::string& line) { sent.push_back(line); }};

    // The pointer moving one pixel to the right every 10 ms for ms.
    void sweep(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            pad.move(pad.x() + 1, 240);
            clock.sleepMs(10);
        }
    }
};

TEST_F(MousePadTest, MovementsGoOutOncePerIntervalWithTheLatestPosition)
{
    sweep(1000);
    EXPECT_EQ(sent, (std::vector<std::string>{".Sm16,240\r\n", ".Sm31,240\r\n", ".Sm46,240\r\n", ".Sm61,240\r\n",
                                              ".Sm76,240\r\n", ".Sm91,240\r\n"}))
        << "a 150 ms timer from the pad's start";

    sent.clear();
    ASSERT_TRUE(pad.setIntervalText("500")); // the timer starts again
    sweep(1010);
    EXPECT_EQ(sent, (std::vector<std::string>{".Sm151,240\r\n", ".Sm201,240\r\n"}));
}

TEST_F(MousePadTest, ButtonsAndWheelGoOutAtOnceAndAReleaseWithholdsTheNextMove)
{
    clock.sleepMs(150);
    pad.buttonDown(MousePad::Button::Left);
    EXPECT_EQ(pad.buttonText(MousePad::Button::Left), "Left Mouse Button: DOWN");
    pad.buttonUp(MousePad::Button::Left);
    EXPECT_EQ(pad.buttonText(MousePad::Button::Left), "Left Mouse Button: UP");
    pad.move(10, 20); // the release took the permission of this tick
    pad.scroll(MousePad::Wheel::Down);
    EXPECT_EQ(pad.wheelText(), "Scroll Wheel: DOWN");
    EXPECT_EQ(sent, (std::vector<std::string>{".Sa0,0\r\n", ".Sh10,20\r\n"})) << "Send Mouse Click.";

    sent.clear();
    pad.clickMode = MousePad::ClickMode::UpDown;
    for (auto button : {MousePad::Button::Left, MousePad::Button::Middle, MousePad::Button::Right}) {
        pad.buttonDown(button);
        pad.buttonUp(button);
    }
    pad.scroll(MousePad::Wheel::Up);
    EXPECT_EQ(sent, (std::vector<std::string>{".Sa10,20\r\n", ".Sb10,20\r\n", ".Sc10,20\r\n", ".Sd10,20\r\n",
                                              ".Se10,20\r\n", ".Sf10,20\r\n", ".Sg10,20\r\n"}));
    EXPECT_EQ(pad.positionXText(), "Position X: 10");
    EXPECT_EQ(pad.positionYText(), "Y: 20");
}

TEST_F(MousePadTest, ThePositionStaysOnTheScreen)
{
    clock.sleepMs(150);
    pad.move(700, -3);
    EXPECT_EQ(sent, std::vector<std::string>{".Sm639,0\r\n"});
}

TEST_F(MousePadTest, OnlyIntervalsFromOneToFiveThousandAreTaken)
{
    for (const char* bad : {"abc", "", "0", "-5", "5001", "12x", "99999999999"}) {
        EXPECT_FALSE(pad.setIntervalText(bad)) << bad;
        EXPECT_EQ(pad.intervalMs(), 150) << bad;
    }
    EXPECT_TRUE(pad.setIntervalText("1"));
    EXPECT_TRUE(pad.setIntervalText("5000"));
    EXPECT_EQ(pad.intervalMs(), 5000);

    // A permission already given survives the change of interval.
    clock.sleepMs(5000);
    ASSERT_TRUE(pad.setIntervalText("4000"));
    pad.move(1, 1);
    EXPECT_EQ(sent, std::vector<std::string>{".Sm1,1\r\n"});
}

} // namespace
} // namespace qv
