// The model's changes reach the windows through these observers.
#include "window/window_backend.h"

namespace vexal::window {

// ---- observers --------------------------------------------------------------

void WindowBackend::changed(ui::Control& control, ui::Property property) {
    if (property == ui::Property::Hint && model_.application) model_.application->hintChanged(control);
    ControlWindow* cw = byControl(&control);
    if (cw && !cw->hwnd && main_ && property == ui::Property::Visible && handlerOf(control.kind()).madeWhenShown &&
        effectiveVisible(control)) {
        ++applying_;
        createControl(static_cast<std::size_t>(cw - windows_.data()), true);
        --applying_;
        return;
    }
    if (!cw || !cw->hwnd) return;
    ++applying_;
    apply(*cw, property);
    --applying_;
}

void WindowBackend::changed(ui::MenuItem& item) {
    const auto it = menus_.find(&item);
    if (it == menus_.end()) return;
    placeMenuItem(it->second);
    if (it->second.autoAccel)
        prepareAutoAccelerators(it->second.owner);
    else
        applyMenuItem(it->second);
}

void WindowBackend::titleChanged() {
    const std::string& title = model_.application->title();
    if (app_) SetWindowTextA(app_, title.c_str());
    if (onTitleChanged) onTitleChanged(title);
}

void WindowBackend::terminateRequested() {
    quitting_ = true;
    PostMessageA(nullptr, WM_NULL, 0, 0);  // wakes the loop
}

void WindowBackend::minimizeRequested() { minimizeApp(); }

void WindowBackend::captionChanged() {
    if (main_) SetWindowTextA(main_, model_.form->caption().c_str());
}

void WindowBackend::focusChanged(ui::Control* control) {
    // A hidden window takes the focus when it is activated (restoreFocus).
    if (!main_ || !IsWindowVisible(main_) || !control) return;
    ControlWindow* cw = byControl(control);
    if (!cw || !cw->hwnd) return;
    ++applying_;
    SetFocus(cw->hwnd);
    --applying_;
}

void WindowBackend::closeRequested() {
    closePending_ = true;
    PostMessageA(nullptr, WM_NULL, 0, 0);
}

void WindowBackend::showRequested() { showMain(); }

void WindowBackend::hideRequested() { hideMain(); }

}  // namespace vexal::window
