#pragma once

#include "lcd_geometry.h"

namespace qv {

// The rectangle chosen on the LCD picture, by dragging on it or through the
// four number fields. Its sides are kept in order: Left <= Right, Top <= Bottom.
class LcdSelection {
public:
    enum class Field { Left, Top, Right, Bottom };

    const LcdRect& rect() const { return rect_; }
    // Set by the upload buttons.
    void set(const LcdRect& rect) { rect_ = rect; }
    // Something to upload: neither side of zero length.
    bool usable() const { return rect_.left != rect_.right && rect_.top != rect_.bottom; }

    // Dragging, in LCD pixels: the pressed point stays, the other corner
    // follows the pointer, held on the screen.
    bool dragging() const { return dragging_; }
    void press(int x, int y);
    void move(int x, int y);
    void release();

    // A typed value; a side that would pass its partner stops on it.
    void edit(Field field, int value);

private:
    LcdRect rect_;
    bool dragging_ = false;
    int anchorX_ = 0;
    int anchorY_ = 0;
};

} // namespace qv
