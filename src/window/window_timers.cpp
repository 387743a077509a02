// The model's timers as system timers on the main window, armed once the
// message loop runs.
#include <algorithm>

#include "window/window_backend.h"

namespace vexal::window {

void WindowBackend::timerStateChanged(TimerEntry& entry) {
    if (!main_ || !timersRunning_) return;
    if (entry.timer->enabled()) {
        entry.armedInterval = std::max(entry.timer->interval, 1);
        SetTimer(main_, entry.id, static_cast<UINT>(entry.armedInterval), nullptr);
    } else if (entry.armedInterval != 0) {
        // Only one that runs: each call is a round trip to the window server.
        KillTimer(main_, entry.id);
        entry.armedInterval = 0;
    }
}

void WindowBackend::stopTimers(HWND hwnd) {
    for (auto& t : timers_) {
        KillTimer(hwnd, t.id);
        t.armedInterval = 0;
    }
}

LRESULT WindowBackend::onTimer(HWND, UINT, WPARAM id, LPARAM) {
    if (id == 0 || id > timers_.size()) return 0;
    TimerEntry& entry = timers_[id - 1];
    if (!entry.timer->enabled()) {
        timerStateChanged(entry);
        return 0;
    }
    guarded(entry.timer->onTimer);
    // A handler may have changed the interval (the date timer slows down after its first tick).
    if (entry.timer->enabled() && std::max(entry.timer->interval, 1) != entry.armedInterval) timerStateChanged(entry);
    return 0;
}

}  // namespace vexal::window
