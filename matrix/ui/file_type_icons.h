#pragma once

#include <QIcon>
#include <QImage>

namespace qv {

// QV-Matrix's icon, those of its three file types and QV-Update's icon,
// drawn here.
enum class QvIcon { Program, Preset, Macro, Package, Update };
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
