// The keyboard window against the simulated instrument on virtual time.
#include "link/matrix_channel.h"
#include "link/matrix_link.h"
#include "matrix/ui/matrix_settings.h"
#include "options/ui/keyboard_form.h"
#include "platform/tests/qt_test_app.h"
#include "sim/virtual_instrument.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace qv {
namespace {

struct KeyboardBench {
    sim::VirtualInstrument sim;
    MatrixChannel channel{sim.port, {sim.clock, sim.pump, sim.prompter}};
    InstrumentRecord record;
    MatrixLink link{channel, record};
    KeyboardWindowSettings settings;
    TKeyboardForm form{[this]() -> Softkeys::PressKey { return [this](uint8_t k) { return link.PressKey(k); }; },
                       sim.clock, sim.prompter, settings, nullptr};

    KeyboardBench()
    {
        channel.OpenPort();
        form.show();
        form.activateWindow();
    }
    QLabel* key(int n) { return form.findChild<QLabel*>(QStringLiteral("ImageKey%1").arg(n)); }
};

TEST(KeyboardForm, EightKeysInARow)
{
    KeyboardBench b;
    EXPECT_EQ(b.form.windowTitle(), "RVT Keys.");
    for (int n = 1; n <= 8; ++n) {
        ASSERT_TRUE(b.key(n)) << n;
        EXPECT_EQ(b.key(n)->x() - b.key(1)->x(), 38 * (n - 1));
        EXPECT_EQ(b.key(n)->y(), b.key(1)->y());
    }
    EXPECT_TRUE(b.form.rect().contains(b.key(8)->geometry())) << "the last key is not cut off";
}

TEST(KeyboardForm, FunctionKeysPressAtOnceClicksHoldTheProgram)
{
    KeyboardBench b;
    int64_t start = b.sim.clock.nowMs();
    QTest::keyClick(&b.form, Qt::Key_F3);
    EXPECT_LT(b.sim.clock.nowMs() - start, 500);
    EXPECT_EQ(b.sim.instrument.keysPressed(), std::vector<int>{3});

    start = b.sim.clock.nowMs();
    QTest::mouseClick(b.key(3), Qt::LeftButton);
    EXPECT_GE(b.sim.clock.nowMs() - start, 2000);
    start = b.sim.clock.nowMs();
    QTest::mouseClick(b.key(7), Qt::LeftButton);
    EXPECT_GE(b.sim.clock.nowMs() - start, 1000);
    EXPECT_LT(b.sim.clock.nowMs() - start, 2000);
    QTest::keyClick(&b.form, Qt::Key_F8);
    EXPECT_EQ(b.sim.instrument.keysPressed(), (std::vector<int>{3, 3, 7, 8}));
    EXPECT_TRUE(b.sim.prompter.shown().empty());
}

TEST(KeyboardForm, EscClosesAndTheSettingsFollowTheWindow)
{
    KeyboardBench b;
    EXPECT_TRUE(b.settings.visible);
    b.form.move(300, 200);
    EXPECT_EQ(b.settings.left, b.form.x());
    EXPECT_EQ(b.settings.top, b.form.y());
    QTest::keyClick(&b.form, Qt::Key_Escape);
    EXPECT_FALSE(b.form.isVisible());
    EXPECT_FALSE(b.settings.visible);
    EXPECT_TRUE(b.sim.instrument.keysPressed().empty());
}

} // namespace
} // namespace qv
