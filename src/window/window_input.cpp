// Pointer, keyboard and focus: what the user does in the controls becomes model events.
#include <algorithm>
#include <cctype>

#include "window/window_backend.h"
#include "window/window_messages.h"

namespace vexal::window {

namespace {

bool takesText(ui::Kind kind) { return kind == ui::Kind::Edit || kind == ui::Kind::ComboBox; }

bool isPushButton(ui::Kind kind) { return kind == ui::Kind::Button || kind == ui::Kind::BitButton; }

// The letter after a single "&" of a caption, or 0.
char accelerator(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

}  // namespace

// Controls are subclassed by putting our procedure in front of theirs, not with
// SetWindowSubclass: comctl32 looks its subclass data up in a window property on
// each message, and under Wine every look-up is a round trip to the window server:
// some 580 of them before the window first showed, one in seven of all its requests.
// Wide, as SetWindowSubclass does, so that the controls keep receiving their
// messages as they did.
void WindowBackend::subclass(HWND hwnd) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    originalProcs_[hwnd] =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(childProc)));
}

LRESULT WindowBackend::passOn(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const auto it = originalProcs_.find(hwnd);
    return it == originalProcs_.end() ? DefWindowProcW(hwnd, msg, wParam, lParam)
                                      : CallWindowProcW(it->second, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK WindowBackend::childProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WindowBackend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) {
        const auto it = self->originalProcs_.find(hwnd);
        if (it == self->originalProcs_.end()) return DefWindowProcW(hwnd, msg, wParam, lParam);
        const WNDPROC original = it->second;
        self->originalProcs_.erase(it);
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        return CallWindowProcW(original, hwnd, msg, wParam, lParam);
    }
    ControlWindow* cw = self->byHwnd(hwnd);
    if (!cw) return self->passOn(hwnd, msg, wParam, lParam);
    if (self->tooltip_ && hwnd == cw->hwnd && cw->control->showHintTooltip())
        self->relayToTooltip(hwnd, msg, wParam, lParam);
    return self->shielded(
        [&] {
            bool handled = false;
            const LRESULT r = self->onChildMessage(*cw, hwnd, msg, wParam, lParam, handled);
            return handled ? r : self->passOn(hwnd, msg, wParam, lParam);
        },
        0);
}

// The hint's tooltip learns of the pointer from here rather than by subclassing the
// control itself, which would cost the same property look-ups on every message.
void WindowBackend::relayToTooltip(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: {
            const DWORD pos = GetMessagePos();
            MSG relayed{hwnd,
                        msg,
                        wParam,
                        lParam,
                        static_cast<DWORD>(GetMessageTime()),
                        {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))}};
            SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
            break;
        }
        default:
            break;
    }
}

LRESULT WindowBackend::onChildMessage(ControlWindow& cw, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                      bool& handled) {
    ui::Control& c = *cw.control;
    // A combo box's keys and focus arrive at its edit field; the edit field also
    // hands some keys on to the combo box, which must not count them twice.
    const bool comboFrame = cw.edit && hwnd == cw.hwnd;
    switch (msg) {
        case WM_MOUSEMOVE:
            trackLeave(hwnd);
            pointerOver(&c, true);
            break;
        case WM_NCMOUSEMOVE:
            pointerOver(&c, true);
            break;
        case WM_MOUSELEAVE:
        case WM_NCMOUSELEAVE:
            pointerMayHaveLeft();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            guarded([&c] { c.mouseDown(ui::MouseButton::Left); });
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            guarded([&c] { c.mouseDown(ui::MouseButton::Right); });
            break;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            guarded([&c] { c.mouseDown(ui::MouseButton::Middle); });
            break;
        case WM_SETFOCUS: {
            handled = true;
            const LRESULT r = passOn(hwnd, msg, wParam, lParam);
            if (comboFrame || applying_) return r;
            // Tabbing into a one-line field selects its text; a click places the caret.
            if (c.kind() == ui::Kind::Edit && GetKeyState(VK_LBUTTON) >= 0) SendMessageA(hwnd, EM_SETSEL, 0, -1);
            if (model_.form) guarded([this, &c] { model_.form->focusMovedByUser(&c); });
            return r;
        }
        case WM_KEYDOWN: {
            if (comboFrame) break;
            int key = static_cast<int>(wParam);
            // A list's own shortcuts (copy a row, ...) are its key handler's to read.
            if (c.kind() == ui::Kind::ListView && GetKeyState(VK_CONTROL) < 0) key |= ui::kCtrlKey;
            guarded([&c, &key] { key = c.keyDown(key); });
            handled = true;
            if (key == 0) return 0;
            return passOn(hwnd, msg, static_cast<WPARAM>(key & ~ui::kCtrlKey), lParam);
        }
        case WM_CHAR: {
            if (comboFrame) break;
            // The common controls are Unicode windows even when created narrow: their
            // characters arrive wide and are turned into the system code page here.
            const bool wide = IsWindowUnicode(hwnd) != FALSE;
            char key = static_cast<char>(wParam);
            if (wide) {
                const auto w = static_cast<wchar_t>(wParam);
                char narrow[2] = {};
                if (WideCharToMultiByte(CP_ACP, 0, &w, 1, narrow, sizeof narrow, nullptr, nullptr) != 1) break;
                key = narrow[0];
            }
            const char typed = key;
            guarded([&c, &key] { key = c.keyPress(key); });
            handled = true;
            if (key == 0) return 0;
            // A one-line field has no use for Enter or Escape and would only beep.
            if (takesText(c.kind()) && (key == '\r' || key == '\n' || key == 27)) return 0;
            if (key == typed) return passOn(hwnd, msg, wParam, lParam);
            WPARAM replaced = static_cast<unsigned char>(key);
            if (wide) {
                wchar_t w = 0;
                MultiByteToWideChar(CP_ACP, 0, &key, 1, &w, 1);
                replaced = w;
            }
            return passOn(hwnd, msg, replaced, lParam);
        }
        case WM_CONTEXTMENU:
            if (ui::MenuItem* menu = contextMenuOf(&c)) {
                POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                if (lParam == -1) {
                    // From the keyboard: below the control's top left corner.
                    RECT rc{};
                    GetWindowRect(cw.hwnd, &rc);
                    at = {rc.left + 4, rc.top + 4};
                }
                popup(*menu, at);
                handled = true;
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            if (c.kind() == ui::Kind::GroupBox) {
                // A group box leaves its inside to the window behind it, which does not
                // paint under its children; the contents above it are clipped out.
                RECT rc{};
                GetClientRect(hwnd, &rc);
                FillRect(reinterpret_cast<HDC>(wParam), &rc, GetSysColorBrush(COLOR_BTNFACE));
                handled = true;
                return 1;
            }
            break;
        case WM_SETCURSOR:
            if (c.cursor == ui::Cursor::HandPoint && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorA(nullptr, IDC_HAND));
                handled = true;
                return TRUE;
            }
            break;
        default:
            break;
    }
    return 0;
}

// ---- hint tracking ----------------------------------------------------------

void WindowBackend::pointerOver(ui::Control* control, bool runMouseMove) {
    // Entering a control: its own mouse-move text comes first, then the hint.
    if (runMouseMove && control && control->enabled()) guarded([control] { control->mouseMove(); });
    pointed_ = control;
    if (model_.application) guarded([this, control] { model_.application->pointAt(control); });
    updateTooltipTiming();
}

void WindowBackend::pointerOverMain(POINT clientPoint) {
    // Over the bare window, a group box, a label or a disabled control (disabled
    // windows get no mouse messages of their own, yet their hints still show).
    HWND child = ChildWindowFromPointEx(main_, clientPoint, CWP_SKIPINVISIBLE);
    ControlWindow* cw = child && child != main_ ? byHwnd(child) : nullptr;
    if (!cw) {
        pointerOver(nullptr, false);
        return;
    }
    ui::Control* c = cw->control;
    const bool mouseMove = c->kind() != ui::Kind::GroupBox && effectiveEnabled(*c);
    pointerOver(c, mouseMove);
}

void WindowBackend::trackLeave(HWND hwnd) {
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd;
    TrackMouseEvent(&tme);
}

void WindowBackend::pointerMayHaveLeft() {
    if (!main_) return;
    POINT p{};
    GetCursorPos(&p);
    HWND under = WindowFromPoint(p);
    if (under == main_ || IsChild(main_, under)) return;
    if (pointed_ || (model_.application && !model_.application->currentHint().empty())) {
        pointed_ = nullptr;
        if (model_.application) guarded([this] { model_.application->pointAt(nullptr); });
    }
}

LRESULT WindowBackend::onMouseMove(HWND hwnd, UINT, WPARAM, LPARAM lParam) {
    trackLeave(hwnd);
    pointerOverMain({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    return 0;
}

LRESULT WindowBackend::onMouseLeave(HWND, UINT, WPARAM, LPARAM) {
    pointerMayHaveLeft();
    return 0;
}

// ---- keyboard ---------------------------------------------------------------

bool WindowBackend::preTranslate(MSG& msg) {
    if (msg.message == WM_HOTKEY && !msg.hwnd) {
        if (onHotkey && handlerDepth_ == 0) guarded([&] { onHotkey(static_cast<int>(msg.wParam)); });
        return true;
    }
    if (!main_ || !(msg.hwnd == main_ || IsChild(main_, msg.hwnd))) return false;
    // A shortcut is refused when its menu item is disabled: that state must be today's.
    if (accelerators_ && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) menuOpening();
    if (accelerators_ && TranslateAcceleratorA(main_, accelerators_, &msg)) return true;

    // The control the key was sent to: a character meant for a text field must
    // never press the button whose accelerator letter it happens to be.
    ControlWindow* target = byHwnd(msg.hwnd);
    ui::Control* current = target ? target->control : nullptr;
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !ctrl && !alt) {
        // A list view may keep Tab among its own kind (the server list and its players).
        if (current && current->kind() == ui::Kind::ListView) {
            int key = VK_TAB;
            guarded([&] { key = current->keyDown(key); });
            if (key == 0) return true;
        }
        tabFrom(current, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && current && isPushButton(current->kind())) {
        // Enter presses the focused button, after its own key handler had its say.
        int key = VK_RETURN;
        guarded([&] { key = current->keyDown(key); });
        if (key != 0) guarded([current] { current->click(); });
        return true;
    }
    if (msg.message == WM_SYSCHAR) return mnemonic(static_cast<char>(msg.wParam));
    if (msg.message == WM_CHAR && current && (isPushButton(current->kind()) || current->kind() == ui::Kind::CheckBox))
        return mnemonic(static_cast<char>(msg.wParam));
    return false;
}

bool WindowBackend::canFocus(const ui::Control& c) const {
    switch (c.kind()) {
        case ui::Kind::Button:
        case ui::Kind::BitButton:
        case ui::Kind::CheckBox:
        case ui::Kind::Edit:
        case ui::Kind::Memo:
        case ui::Kind::ComboBox:
        case ui::Kind::ListBox:
        case ui::Kind::ListView:
            break;
        default:
            return false;
    }
    return controlWindow(c) && effectiveVisible(c) && effectiveEnabled(c);
}

std::vector<ui::Control*> WindowBackend::tabSequence() const {
    // Tab order within each parent; a group box orders its own contents.
    std::vector<ui::Control*> out;
    auto visit = [&](auto&& self, const ui::Control* parent) -> void {
        std::vector<ui::Control*> level;
        for (ui::Control* c : model_.controls)
            if (c->parent() == parent && c->tabOrder() >= 0) level.push_back(c);
        std::stable_sort(level.begin(), level.end(),
                         [](const ui::Control* a, const ui::Control* b) { return a->tabOrder() < b->tabOrder(); });
        for (ui::Control* c : level) {
            if (c->kind() == ui::Kind::GroupBox)
                self(self, c);
            else
                out.push_back(c);
        }
    };
    visit(visit, nullptr);
    return out;
}

void WindowBackend::tabFrom(ui::Control* current, bool backwards) {
    std::vector<ui::Control*> sequence;
    for (ui::Control* c : tabSequence())
        if (c == current || canFocus(*c)) sequence.push_back(c);
    if (sequence.empty()) return;
    const auto n = static_cast<long>(sequence.size());
    const auto at = std::find(sequence.begin(), sequence.end(), current);
    long i = at == sequence.end() ? (backwards ? 0 : -1) : static_cast<long>(at - sequence.begin());
    i = backwards ? (i - 1 + n) % n : (i + 1) % n;
    ui::Control* next = sequence[static_cast<std::size_t>(i)];
    if (next == current) return;
    // A user's move: the resulting WM_SETFOCUS runs the exit and enter handlers.
    SetFocus(controlWindow(*next));
}

bool WindowBackend::mnemonic(char key) {
    const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    if (!std::isalnum(static_cast<unsigned char>(wanted))) return false;
    for (ui::Control* c : model_.controls) {
        if (!isPushButton(c->kind()) && c->kind() != ui::Kind::CheckBox && c->kind() != ui::Kind::FlatButton) continue;
        const auto* captioned = static_cast<const ui::CaptionControl*>(c);
        if (accelerator(captioned->caption()) != wanted || !effectiveVisible(*c) || !effectiveEnabled(*c)) continue;
        if (c->kind() == ui::Kind::CheckBox)
            guarded([c] { static_cast<ui::CheckBox*>(c)->toggleByUser(); });
        else
            guarded([c] { c->click(); });
        return true;
    }
    return false;
}

LRESULT WindowBackend::onActivate(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam)) return DefWindowProcA(hwnd, msg, wParam, lParam);
    restoreFocus();
    return 0;
}

void WindowBackend::restoreFocus() {
    // An activated window gives the focus back to the control that had it.
    ui::Control* focused = model_.form ? model_.form->focused() : nullptr;
    if (focused && canFocus(*focused)) {
        ++applying_;
        SetFocus(controlWindow(*focused));
        --applying_;
        return;
    }
    for (ui::Control* c : tabSequence()) {
        if (!canFocus(*c)) continue;
        SetFocus(controlWindow(*c));
        return;
    }
    SetFocus(main_);
}

}  // namespace vexal::window
