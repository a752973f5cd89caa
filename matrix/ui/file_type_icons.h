#pragma once

#include <QIcon>
#include <QImage>

namespace qv {

// The program's icon and those of its three file types, drawn here.
enum class QvIcon { Program, Preset, Macro, Package };
QImage DrawQvIcon(QvIcon icon, int size);

// The toolbar's pictures.
enum class ToolGlyph {
    Open,
    Save,
    SaveAs,
    Remote,
    Upload,
    Download,
    Restart,
    PresetOptions,
    Exit,
    Previous,
    Next,
    InsertScale,
};
QIcon ToolbarIcon(ToolGlyph glyph);

// The window icon: DrawQvIcon(Program) in a few sizes.
QIcon ProgramIcon();

} // namespace qv
