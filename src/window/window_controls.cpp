// What every control's window has, whatever its kind: it is made from its kind's
// description, placed, shown, enabled, given its text and font.
#include <algorithm>

#include "window/window_backend.h"
#include "window/window_text.h"

namespace vexal::window {

POINT WindowBackend::origin(const ui::Control& c) const {
    POINT p{0, 0};
    for (const ui::Control* parent = c.parent(); parent; parent = parent->parent()) {
        p.x += parent->bounds().left;
        p.y += parent->bounds().top;
    }
    return p;
}

bool WindowBackend::effectiveVisible(const ui::Control& c) const {
    for (const ui::Control* p = &c; p; p = p->parent())
        if (!p->visible()) return false;
    return true;
}

bool WindowBackend::effectiveEnabled(const ui::Control& c) const {
    for (const ui::Control* p = &c; p; p = p->parent())
        if (!p->enabled()) return false;
    return true;
}

void WindowBackend::createControl(std::size_t index, bool onScreen) {
    ControlWindow& cw = windows_[index];
    ui::Control& c = *cw.control;
    const KindHandler& kind = handlerOf(c.kind());
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
    if (kind.settingsStyle) style |= kind.settingsStyle(c);

    // Born in place, visible or not, enabled or not: each later move or show of a
    // child costs a round trip to the window server, which adds up over the window.
    // One made while the window is on screen is shown only once it is complete, so
    // that its columns, rows and frame are drawn once instead of as each arrives.
    const auto id = static_cast<UINT_PTR>(kFirstControlId + static_cast<int>(index));
    const RECT at = placement(c);
    if (effectiveVisible(c) && !onScreen) style |= WS_VISIBLE;
    if (!effectiveEnabled(c)) style |= WS_DISABLED;
    const std::string text = kind.text && !kind.textInPart ? kind.text(c) : std::string();
    cw.hwnd = CreateWindowExA(kind.exStyle, kind.windowClass, text.c_str(), style, at.left, at.top, at.right - at.left,
                              at.bottom - at.top, main_, reinterpret_cast<HMENU>(id), instance_, this);
    if (!cw.hwnd) return;
    windowIndex_[cw.hwnd] = index;
    subclass(cw.hwnd);

    if (kind.created) (this->*kind.created)(cw);
    using P = ui::Property;
    for (P p : {P::Font, P::Items, P::ItemIndex, P::Checked, P::ReadOnly, P::Extent, P::Progress, P::TopLine})
        apply(cw, p);
    if (kind.textInPart) apply(cw, P::Text);
    if (onScreen && effectiveVisible(c))
        SetWindowPos(cw.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

std::vector<std::size_t> WindowBackend::zOrderBottomToTop() const {
    // Later controls lie above earlier ones; a group box's contents lie just above
    // the group box, so it never paints over them.
    std::vector<std::size_t> bottomToTop;
    std::vector<bool> placed(windows_.size(), false);
    auto place = [&](auto&& self, std::size_t i) -> void {
        if (placed[i]) return;
        placed[i] = true;
        bottomToTop.push_back(i);
        for (std::size_t j = 0; j < windows_.size(); ++j)
            if (windows_[j].control->parent() == windows_[i].control) self(self, j);
    };
    for (std::size_t i = 0; i < windows_.size(); ++i)
        if (!windows_[i].control->parent()) place(place, i);
    for (std::size_t i = 0; i < windows_.size(); ++i) place(place, i);
    return bottomToTop;
}

void WindowBackend::apply(ControlWindow& cw, ui::Property property) {
    const KindHandler& kind = handlerOf(cw.control->kind());
    if (kind.apply && (this->*kind.apply)(cw, property)) return;
    HWND h = cw.hwnd;
    switch (property) {
        case ui::Property::Text:
        case ui::Property::Caption:
            applyText(cw);
            break;
        case ui::Property::Enabled:
            applyEnabled(cw);
            break;
        case ui::Property::Visible:
            applyVisible(cw);
            break;
        case ui::Property::Bounds:
            applyBounds(cw);
            break;
        case ui::Property::Font:
            applyFont(cw);
            break;
        case ui::Property::Colour:
            InvalidateRect(h, nullptr, TRUE);
            if (cw.edit) InvalidateRect(cw.edit, nullptr, TRUE);
            break;
        case ui::Property::Picture:
            InvalidateRect(h, nullptr, TRUE);
            break;
        case ui::Property::ZOrder:
            SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        default:
            // The kinds' own properties (checked, items, range ...) where the kind has
            // none of them; the hint and the focus are not the window's to show.
            break;
    }
}

void WindowBackend::applyText(ControlWindow& cw) {
    const KindHandler& kind = handlerOf(cw.control->kind());
    if (!kind.text) return;
    setWindowText(kind.textInPart && cw.edit ? cw.edit : cw.hwnd, kind.text(*cw.control));
}

void WindowBackend::applyFont(ControlWindow& cw) {
    SendMessageA(cw.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font(cw.control->font())), IsWindowVisible(cw.hwnd));
}

void WindowBackend::applyBounds(ControlWindow& cw) {
    const ui::Control& c = *cw.control;
    const RECT at = placement(c);
    SetWindowPos(cw.hwnd, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The contents of a group box move with it.
    for (auto& other : windows_)
        if (other.hwnd && other.control->parent() == &c) applyBounds(other);
}

void WindowBackend::applyVisible(ControlWindow& cw) {
    const ui::Control& c = *cw.control;
    const bool show = effectiveVisible(c);
    if (show && !IsWindowVisible(cw.hwnd) && handlerOf(c.kind()).raisedWhenShown)
        // A text viewer or the progress bar lies over other controls when it appears.
        SetWindowPos(cw.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(cw.hwnd, show ? SW_SHOWNA : SW_HIDE);
    for (auto& other : windows_)
        if (other.hwnd && other.control->parent() == &c) applyVisible(other);
}

void WindowBackend::applyEnabled(ControlWindow& cw) {
    const ui::Control& c = *cw.control;
    EnableWindow(cw.hwnd, effectiveEnabled(c));
    for (auto& other : windows_)
        if (other.hwnd && other.control->parent() == &c) applyEnabled(other);
}

}  // namespace vexal::window
