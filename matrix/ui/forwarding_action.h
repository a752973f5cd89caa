#pragma once

#include <QAction>
#include <QMetaMethod>

class QActionGroup;

namespace qv {

// Whether anything is connected to `signal` of `sender`.
bool SignalReceived(const QObject* sender, const QMetaMethod& signal);

// A menu or popup entry whose command is handed on as a signal of its
// window, for another part of the program to carry out. While nothing
// receives that signal the command is not built yet, and the entry must not
// be offered.
class ForwardingAction : public QAction {
    Q_OBJECT

public:
    template <typename Window, typename... Args>
    ForwardingAction(const QString& text, const Window* window, void (Window::*signal)(Args...), QObject* parent)
        : QAction(text, parent), window_(window), signal_(QMetaMethod::fromSignal(signal))
    {
    }

    const QObject* window() const { return window_; }
    const QMetaMethod& signal() const { return signal_; }
    bool built() const { return SignalReceived(window_, signal_); }

    // Disables the entry when its command is not built, with a tooltip
    // saying so; a disabled `held` group then keeps it from being enabled
    // by the enabling rules. True when it was held.
    bool holdIfNotBuilt(QActionGroup* held = nullptr);

private:
    const QObject* window_;
    QMetaMethod signal_;
};

} // namespace qv
