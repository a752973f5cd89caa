#pragma once

#include <QCursor>
#include <QPixmap>
#include <QString>

namespace qv {

// The five panning cursors of the grid, drawn here: "CursorLeft",
// "CursorRight", "CursorUP", "CursorDown" and "CursorNone" (the centre
// cursor, also shown at the point where panning started). An unknown name
// gives the centre cursor.
QPixmap GridCursorPixmap(const QString& name);
QCursor GridCursor(const QString& name);

} // namespace qv
