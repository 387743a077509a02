#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"

namespace vexal::ui {

class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void captionChanged() = 0;
    virtual void focusChanged(Control* control) = 0;
    virtual void closeRequested() = 0;
    virtual void showRequested() = 0;
    virtual void hideRequested() {}
    virtual void flashRequested() {}
};

// The window itself: its caption, its controls and the keyboard focus among them.
// Focus moves run the old control's exit handler, then the new one's enter handler;
// switching to another program is no such move.
class Form {
public:
    [[nodiscard]] const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);

    [[nodiscard]] Control* focused() const { return focused_; }
    // The program moves the focus (mirrored into the window).
    void setFocus(Control* control);
    // The window reports that the user moved the focus (not echoed back).
    void focusMovedByUser(Control* control);

    void close();
    // Show-window: restores the application if minimized and brings the window to the front.
    void show();
    // Hide-window: the window and its taskbar button disappear (the tray icon stays).
    void hide();
    [[nodiscard]] bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }
    // Flashes the taskbar button until the window comes to the front.
    void flash() {
        ++flashes;
        if (formObserver_) formObserver_->flashRequested();
    }
    int flashes = 0;  // how often it was asked to, for tests

    void setFormObserver(FormObserver* observer) { formObserver_ = observer; }

    std::function<void()> onShow;

private:
    void moveFocus(Control* control);
    std::string caption_;
    Control* focused_ = nullptr;
    bool visible_ = false;
    FormObserver* formObserver_ = nullptr;
};

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

class MenuItem;

// The notification-area icon.
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
