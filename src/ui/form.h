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

}  // namespace vexal::ui
