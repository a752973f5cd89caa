// Choosing the rectangle on the LCD picture: dragging and the four fields.
#include "service/lcd_selection.h"

#include <gtest/gtest.h>

namespace {

using qv::LcdRect;
using qv::LcdSelection;
using Field = LcdSelection::Field;

TEST(LcdSelection, ADragInAnyDirectionGivesOrderedSides)
{
    const struct {
        int fromX, fromY, toX, toY;
        LcdRect rect;
    } cases[] = {
        {100, 50, 200, 90, {100, 50, 200, 90}},
        {200, 90, 100, 50, {100, 50, 200, 90}},  // up and to the left
        {100, 50, 900, -40, {100, 0, 640, 50}},  // past the edges: held on the screen
        {10, 10, 10, 700, {10, 10, 10, 479}},    // the drag reaches the last row at most
    };
    for (const auto& c : cases) {
        LcdSelection s;
        s.press(c.fromX, c.fromY);
        EXPECT_TRUE(s.dragging());
        s.move(c.toX, c.toY);
        EXPECT_EQ(s.rect(), c.rect) << c.toX << "," << c.toY << " while dragging";
        s.release();
        EXPECT_FALSE(s.dragging());
        EXPECT_EQ(s.rect(), c.rect) << c.toX << "," << c.toY;
    }
}

TEST(LcdSelection, OnlyARectangleWithAreaCanBeUploaded)
{
    LcdSelection s;
    EXPECT_FALSE(s.usable()) << "nothing chosen yet";
    s.press(100, 100);
    s.release();
    EXPECT_FALSE(s.usable()) << "a click";
    s.press(100, 100);
    s.move(100, 200);
    s.release();
    EXPECT_FALSE(s.usable()) << "zero width";
    s.press(100, 100);
    s.move(180, 100);
    s.release();
    EXPECT_FALSE(s.usable()) << "zero height";
    s.move(300, 300);
    EXPECT_EQ(s.rect(), (LcdRect{100, 100, 180, 100})) << "moving without a press changes nothing";
    s.set(qv::kMenuArea);
    EXPECT_TRUE(s.usable());
}

TEST(LcdSelection, ASideTypedPastItsPartnerStopsOnIt)
{
    const struct {
        Field field;
        int value;
        LcdRect rect;
    } cases[] = {
        {Field::Left, 50, {50, 100, 300, 200}},
        {Field::Left, 400, {300, 100, 300, 200}},
        {Field::Right, 20, {100, 100, 100, 200}},
        {Field::Right, 700, {100, 100, 640, 200}},
        {Field::Top, 250, {100, 200, 300, 200}},
        {Field::Bottom, 99, {100, 100, 300, 100}},
        {Field::Bottom, 480, {100, 100, 300, 480}},
        {Field::Top, -5, {100, 0, 300, 200}},
    };
    for (const auto& c : cases) {
        LcdSelection s;
        s.set({100, 100, 300, 200});
        s.edit(c.field, c.value);
        EXPECT_EQ(s.rect(), c.rect) << int(c.field) << " := " << c.value;
    }
}

} // namespace
