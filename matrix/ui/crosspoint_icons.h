#pragma once

#include <QPixmap>
#include <QVector>

namespace qv {

// The crosspoint icon list, drawn here at start: index 0 is the empty cell
// (nothing drawn), then kCrosspointIconCount - 1 distinct 16 x 16 icons.
// The defaults of the settings pick 2 (illegal), 3 (illegal, flashed),
// 4 (locked), 6 (set offline), 8 (remote) and 13 (local).
QVector<QPixmap> MakeCrosspointIcons();

inline constexpr int kIconSize = 16;

} // namespace qv
