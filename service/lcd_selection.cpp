#include "lcd_selection.h"

#include <algorithm>
#include <utility>

namespace qv {

namespace {

// The lowest row a drag reaches; the fields go one further.
constexpr int kLastDragRow = kLcdHeight - 1;

void Order(LcdRect& rect)
{
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
}

} // namespace

void LcdSelection::press(int x, int y)
{
    dragging_ = true;
    anchorX_ = std::clamp(x, 0, kLcdWidth);
    anchorY_ = std::clamp(y, 0, kLcdHeight);
    rect_ = {anchorX_, anchorY_, anchorX_, anchorY_};
}

void LcdSelection::move(int x, int y)
{
    if (!dragging_)
        return;
    rect_.left = anchorX_;
    rect_.top = anchorY_;
    rect_.right = std::clamp(x, 0, kLcdWidth);
    rect_.bottom = std::clamp(y, 0, kLastDragRow);
    Order(rect_);
}

void LcdSelection::release()
{
    dragging_ = false;
    Order(rect_);
}

void LcdSelection::edit(Field field, int value)
{
    switch (field) {
    case Field::Left:
        rect_.left = std::clamp(value, 0, kLcdWidth);
        if (rect_.left >= rect_.right)
            rect_.left = rect_.right;
        break;
    case Field::Right:
        rect_.right = std::clamp(value, 0, kLcdWidth);
        if (rect_.right <= rect_.left)
            rect_.right = rect_.left;
        break;
    case Field::Top:
        rect_.top = std::clamp(value, 0, kLcdHeight);
        if (rect_.top >= rect_.bottom)
            rect_.top = rect_.bottom;
        break;
    case Field::Bottom:
        rect_.bottom = std::clamp(value, 0, kLcdHeight);
        if (rect_.bottom <= rect_.top)
            rect_.bottom = rect_.top;
        break;
    }
}

} // namespace qv
