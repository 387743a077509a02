#pragma once
// The notification-area icon.
#include <functional>
#include <string>

namespace vexal::ui {

class MenuItem;

class TrayIcon {
public:
    [[nodiscard]] const std::string& hint() const { return hint_; }
    void setHint(const std::string& hint) {
        hint_ = hint;
        if (onStateChange) onStateChange();
    }
    [[nodiscard]] bool visible() const { return visible_; }
    void setVisible(bool visible) {
        visible_ = visible;
        if (onStateChange) onStateChange();
    }
    bool minimizeToTray = true;
    MenuItem* popupMenu = nullptr;
    std::function<void()> onDblClick;
    std::function<void()> onStateChange;

private:
    std::string hint_;
    bool visible_ = false;
};

}  // namespace vexal::ui
