#pragma once

#include <QEvent>
#include <QWidget>

namespace qv {

// Disabling a window disables its child windows with it, but a window may
// be enabled again under a disabled parent. A window that must stay usable
// while the main window is disabled calls this from its changeEvent; a
// window disabled itself stays disabled.
inline void StayUsableUnderDisabledParent(QWidget& window, const QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !window.isEnabled() && !window.testAttribute(Qt::WA_ForceDisabled))
        window.setEnabled(true);
}

} // namespace qv
