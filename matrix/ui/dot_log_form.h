#pragma once

#include "log_window.h"

namespace qv {

// The DOT log: a tool window listing the DOT lines remote control sends and
// receives, and what the message parser notes about them.
class TDotLogForm : public LogWindow {
    Q_OBJECT

public:
    // The oldest lines go once the list holds this many.
    static constexpr int kMaxLines = 2000;

    explicit TDotLogForm(QWidget* mainWindow) : LogWindow(mainWindow, "DotLogForm", "DOT Log", "lstDotLog", kMaxLines)
    {
    }
};

} // namespace qv
