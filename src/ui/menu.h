#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexal::ui {

class MenuItem;

class MenuObserver {
public:
    virtual ~MenuObserver() = default;
    virtual void changed(MenuItem& item) = 0;
};

// A virtual key with its modifiers, as a menu shortcut.
struct Shortcut {
    unsigned key = 0;  // virtual key code, 0 for none
    bool ctrl = false, alt = false, shift = false;
    [[nodiscard]] bool empty() const { return key == 0; }
    [[nodiscard]] std::string text() const;  // "Ctrl+Alt+B", "F9", "Shift+F1"
    friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

class MenuItem {
public:
    MenuItem(std::string name, std::string caption) : name_(std::move(name)), caption_(std::move(caption)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    [[nodiscard]] const std::string& name() const { return name_; }
    [[nodiscard]] bool isSeparator() const { return caption_ == "-"; }
    [[nodiscard]] const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    [[nodiscard]] const std::string& hint() const { return hint_; }
    void setHint(const std::string& hint) { hint_ = hint; }
    [[nodiscard]] bool checked() const { return checked_; }
    void setChecked(bool checked);
    [[nodiscard]] bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // A hidden item is left out of its menu, as if it were not there.
    [[nodiscard]] bool visible() const { return visible_; }
    void setVisible(bool visible);

    Shortcut shortcut;
    bool isDefault = false;    // drawn bold
    bool manualAccel = false;  // keeps exactly the accelerator letter of its caption
    int picture = -1;          // resource id of the picture, -1 for none
    int command = 0;           // WM_COMMAND id: the item's command, else one the backend gives
    std::function<void()> onClick;

    // The user chose the item; a disabled item does nothing.
    void click();

    MenuItem& add(std::string name, std::string caption);
    [[nodiscard]] std::vector<MenuItem*> children() const;
    [[nodiscard]] MenuItem* parent() const { return parent_; }

    void setObserver(MenuObserver* observer) { observer_ = observer; }

private:
    void notify() {
        if (observer_) observer_->changed(*this);
    }
    std::string name_;
    std::string caption_;
    std::string hint_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
    MenuItem* parent_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> children_;
    MenuObserver* observer_ = nullptr;
};

// A pop-up menu whose accelerator letters the toolkit assigns: every item that
// is not marked manual gets one distinct letter of its caption.
[[nodiscard]] std::string autoAccelerated(const std::string& caption, std::string& used);

}  // namespace vexal::ui
