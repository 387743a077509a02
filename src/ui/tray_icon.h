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
    // A balloon from the icon: shown by the shell for a few seconds. The serial
    // tells the window a new one is asked for.
    void showBalloon(const std::string& title, const std::string& text) {
        balloonTitle_ = title;
        balloonText_ = text;
        ++balloonSerial_;
        if (onStateChange) onStateChange();
    }
    [[nodiscard]] const std::string& balloonTitle() const { return balloonTitle_; }
    [[nodiscard]] const std::string& balloonText() const { return balloonText_; }
    [[nodiscard]] int balloonSerial() const { return balloonSerial_; }
    bool minimizeToTray = true;
    MenuItem* popupMenu = nullptr;
    std::function<void()> onDblClick;
    std::function<void()> onBalloonClick;
    std::function<void()> onStateChange;

private:
    std::string hint_;
    bool visible_ = false;
    std::string balloonTitle_, balloonText_;
    int balloonSerial_ = 0;
};

}  // namespace vexal::ui
