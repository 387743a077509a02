#pragma once
// A timer of the window: the backend arms the system timer while it is enabled.
#include <functional>

namespace vexal::ui {

class Timer {
public:
    [[nodiscard]] bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) {
        enabled_ = enabled;
        if (onStateChange) onStateChange();
    }
    int interval = 1;  // ms
    std::function<void()> onTimer;
    std::function<void()> onStateChange;  // the backend (re)arms the system timer
private:
    bool enabled_ = true;
};

}  // namespace vexal::ui
