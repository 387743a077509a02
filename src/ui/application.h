#pragma once
#include <functional>
#include <string>

namespace vexal::ui {

class Control;
class MenuItem;

class ApplicationObserver {
public:
    virtual ~ApplicationObserver() = default;
    virtual void titleChanged() = 0;
    virtual void terminateRequested() = 0;
    virtual void minimizeRequested() = 0;
};

// Program-wide state of the user interface: the application title (the text of
// the taskbar button), the current hint and the termination request.
class Application {
public:
    [[nodiscard]] const std::string& title() const { return title_; }
    void setTitle(const std::string& title);

    // Hint tracking: the mouse now points at `control` (nullptr: nothing of ours).
    // The hint is the control's own, else the nearest enclosing control's.
    void pointAt(const Control* control);
    // A menu item is highlighted (nullptr: the menu closed or a title is highlighted).
    void highlight(const MenuItem* item);
    // Re-evaluates the hint of the control under the mouse (its hint changed).
    void hintChanged(const Control& control);
    [[nodiscard]] const std::string& currentHint() const { return hint_; }
    [[nodiscard]] const Control* pointed() const { return pointed_; }
    std::function<void(const std::string&)> onHint;

    int hintHidePause = 2500;  // tooltip display time, ms

    void terminate();
    [[nodiscard]] bool terminated() const { return terminated_; }
    void minimize();

    void setObserver(ApplicationObserver* observer) { observer_ = observer; }

private:
    void setHint(const std::string& hint);
    std::string title_;
    std::string hint_;
    const Control* pointed_ = nullptr;
    bool terminated_ = false;
    ApplicationObserver* observer_ = nullptr;
};

}  // namespace vexal::ui
