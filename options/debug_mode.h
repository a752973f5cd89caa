#pragma once

#include <functional>
#include <vector>

namespace qv {

// QV-Matrix's debug mode: off at start, switched in the About box. Windows
// with service functions ("Set DLM", the main window's diagnostic buttons,
// the mouse pad entry, the theme button) watch it and show them while it
// is on.
class DebugMode {
public:
    using Watcher = std::function<void(bool on)>;

    bool on() const { return on_; }
    // Tells every watcher, in the order they came, when the state changes.
    void set(bool on);
    // From now on `watcher` hears every change, with the new state. It must
    // stay callable as long as the mode exists (guard widgets it touches).
    void watch(Watcher watcher);

private:
    bool on_ = false;
    std::vector<Watcher> watchers_;
};

} // namespace qv
