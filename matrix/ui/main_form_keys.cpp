#include "main_form.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace qv {

namespace {

constexpr int kParameterKeys = 11; // Shift+F1 .. Shift+F11

bool isGridKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down ||
           key == Qt::Key_Space;
}

// Controls that use the keys themselves: the preset drop-down and any
// text field.
bool takesKeys(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
            qobject_cast<const QAbstractSpinBox*>(w))
            return true;
    return false;
}

// Ctrl+F1 .. Ctrl+F12: the Macro menu's shortcuts.
bool isMacroShortcut(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return modifiers == Qt::ControlModifier && event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F12;
}

} // namespace

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // A key let go in another program's window is never seen here.
    if (type == QEvent::ApplicationDeactivate)
        deleteHeld_ = false;
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return false;
    trackDeleteKey(event);
    auto* target = qobject_cast<QWidget*>(watched);
    // Key events travel up from the focus widget (or start at the window
    // when nothing has the focus); the first delivery is enough.
    QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (!target || target != first || target->window() != this)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        // As when the menu opens: its shortcuts find the entries enabled
        // by the current state, not by the last time it was open.
        if (isMacroShortcut(key))
            refreshMacroMenu();
        return false;
    }
    return handleKey(target, key);
}

// Any window of the program may see Delete go up or down: a menu that is
// open takes the keys.
void TMainForm::trackDeleteKey(const QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride)
        return;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && !key->isAutoRepeat())
        deleteHeld_ = event->type() == QEvent::KeyPress;
}

MacroMenu::Keys TMainForm::macroKeys() const
{
    return {QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier), deleteHeld_};
}

// The main window looks at keys before its controls do.
bool TMainForm::handleKey(QWidget* target, QKeyEvent* event)
{
    if (takesKeys(target))
        return false;
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool press = event->type() == QEvent::KeyPress;

    if (press && key == Qt::Key_F1 && modifiers == Qt::NoModifier) {
        if (!choosingMacro_)
            emit helpRequested();
        return true;
    }
    if (press && modifiers == Qt::ShiftModifier && key >= Qt::Key_F1 && key < Qt::Key_F1 + kParameterKeys) {
        if (remoteConnected_)
            emit parameterKeyPressed(key - Qt::Key_F1 + 1);
        return remoteConnected_;
    }
    if (isGridKey(key) && grid_) {
        if (target == grid_ || grid_->isAncestorOf(target))
            return false;
        QCoreApplication::sendEvent(grid_, event);
        return true;
    }
    return false;
}

} // namespace qv
