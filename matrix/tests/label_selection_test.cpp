#include "matrix/label_selection.h"
#include "matrix/tests/channel_names.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(LabelSelection, CtrlTogglesPpmChannelsInPairs)
{
    LabelSelection s;
    s.ctrlClick(In(60));
    EXPECT_EQ(s.inputs(), std::vector<int>{60});
    EXPECT_EQ(s.outputs(), std::vector<int>{68});
    s.ctrlClick(Out(68));
    EXPECT_TRUE(s.empty());

    s.ctrlClick(Out(96));
    EXPECT_EQ(s.inputs(), std::vector<int>{88});
    s.ctrlClick(In(56));
    s.ctrlClick(Out(64));
    EXPECT_EQ(s.inputs(), (std::vector<int>{56, 88})) << "input 56 and output 64 are no PPM channels";
    EXPECT_EQ(s.outputs(), (std::vector<int>{64, 96}));
}

TEST(LabelSelection, ShiftSelectsRangesFromTheAnchorInEitherDirection)
{
    LabelSelection s;
    s.shiftClick(Out(10));
    EXPECT_EQ(s.outputs(), std::vector<int>{10});
    s.shiftClick(Out(7));
    EXPECT_EQ(s.outputs(), (std::vector<int>{7, 8, 9, 10}));
    s.shiftClick(Out(12));
    EXPECT_EQ(s.outputs(), (std::vector<int>{7, 8, 9, 10, 11, 12}));
    ASSERT_TRUE(s.anchor());
    EXPECT_EQ(*s.anchor(), Out(10));

    // A range over PPM inputs brings their outputs along.
    s.plainClick();
    EXPECT_TRUE(s.empty());
    EXPECT_FALSE(s.anchor());
    s.shiftClick(In(56));
    s.shiftClick(In(58));
    EXPECT_EQ(s.inputs(), (std::vector<int>{56, 57, 58}));
    EXPECT_EQ(s.outputs(), (std::vector<int>{65, 66}));

    // The other strip starts a new range there.
    s.shiftClick(Out(3));
    EXPECT_EQ(*s.anchor(), Out(3));
    EXPECT_EQ(s.outputs(), (std::vector<int>{3, 65, 66}));
}

TEST(LabelSelection, RightClickSelectsTheLabelOnlyWhileItsPopupIsOpen)
{
    struct Case {
        const char* what;
        bool preselected;     // the clicked label, before the click
        bool ctrlOrShift;
        std::vector<int> during; // selected outputs while the popup is open
        std::vector<int> after;
    };
    const Case cases[] = {
        {"plain, not selected", false, false, {2, 5}, {2}},
        {"plain, selected", true, false, {2, 5}, {2, 5}},
        {"ctrl, not selected: others cleared", false, true, {5}, {}},
        {"ctrl, selected: others kept", true, true, {2, 5}, {2, 5}},
    };
    for (const Case& c : cases) {
        LabelSelection s;
        s.set(Out(2), true);
        s.set(Out(5), c.preselected);
        const auto token = s.beginRightClick(Out(5), c.ctrlOrShift);
        EXPECT_EQ(s.outputs(), c.during) << c.what;
        s.endRightClick(token);
        EXPECT_EQ(s.outputs(), c.after) << c.what;
    }
}

TEST(LabelSelection, NumbersOutsideTheListsAreIgnored)
{
    LabelSelection s;
    s.ctrlClick(In(0));
    s.ctrlClick(Out(98));
    s.shiftClick(In(-4));
    EXPECT_TRUE(s.empty());
    EXPECT_FALSE(s.isSelected(In(200)));
}

} // namespace
} // namespace qv
