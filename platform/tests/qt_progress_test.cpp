#include "platform/qt/qt_progress.h"

#include "qt_test_app.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(QtProgress, BarFollowsPositionWithinItsRange)
{
    QProgressBar bar;
    QLabel label;
    QtProgress progress(&bar, &label);

    progress.setMaximum(16384);
    progress.setPosition(4096);
    EXPECT_EQ(bar.maximum(), 16384);
    EXPECT_EQ(bar.value(), 4096);
    progress.setText(progress.percent());
    EXPECT_EQ(label.text(), QStringLiteral("25 %"));

    // A bar ignores values outside its range; an overshoot must show full.
    progress.advance(20000);
    EXPECT_EQ(bar.value(), bar.maximum());
    progress.setPosition(0);
    EXPECT_EQ(bar.value(), 0);

    // A bar that shows its text rounds as the labels do and shows 100 %
    // only at the end.
    bar.setTextVisible(true);
    for (auto [position, text] : {std::pair{0, "0 %"}, std::pair{4096, "25 %"}, std::pair{8275, "51 %"},
                                  std::pair{16383, "99 %"}, std::pair{16384, "100 %"}}) {
        progress.setMaximum(16384);
        progress.setPosition(position);
        EXPECT_EQ(bar.text(), QString::fromLatin1(text)) << position;
    }

    // Totals beyond int still move the bar proportionally.
    progress.setMaximum(int64_t(1) << 40);
    progress.setPosition(int64_t(1) << 39);
    EXPECT_GT(bar.maximum(), 0);
    EXPECT_NEAR(double(bar.value()) / bar.maximum(), 0.5, 0.01);
}

} // namespace
} // namespace qv
