#include "debug_mode.h"

#include <utility>

namespace qv {

void DebugMode::set(bool on)
{
    if (on == on_)
        return;
    on_ = on;
    for (const Watcher& watcher : watchers_)
        watcher(on_);
}

void DebugMode::watch(Watcher watcher)
{
    watchers_.push_back(std::move(watcher));
}

} // namespace qv
