#pragma once

#include <cstdint>

namespace qv {

// How the routing grid looks and reacts, from the [Matrix] section of
// QV-Matrix.INI. Icon numbers index the grid's crosspoint icon list.
struct GridSettings {
    bool doubleClick = true;       // false: a single click sets a crosspoint
    int xpointFromFile = 6;        // a crosspoint set offline
    int illegalXpointGreyed = 2;   // a crosspoint that cannot be set
    int illegalXpointHighlight = 3; // flashed when an illegal one is clicked
    int localXpoint = 13;          // changed at the instrument itself
    int remoteXpoint = 8;          // set by remote control
    int lockedXpoint = 4;          // locked against remote changes
    bool traceMouse = true;        // highlight the row and column under the mouse
    uint32_t traceColor = 0x3399FF; // RGB; the desktop's highlight colour by default
};

// Icons in the crosspoint icon list (16 x 16 pixels); index 0 is the empty cell.
inline constexpr int kCrosspointIconCount = 26;

} // namespace qv
