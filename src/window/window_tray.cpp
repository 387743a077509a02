// Window state (shown, hidden, minimized to the taskbar or to the tray), the
// notification-area icon and the timers.
#include "platform/win32/lazy_api.h"
#include "window/window_backend.h"
// after windows.h, which it needs
#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "window/window_messages.h"

namespace vexal::window {

namespace {
constexpr UINT kTrayIconId = 1;
}

void WindowBackend::centreMain() {
    RECT r{};
    GetWindowRect(main_, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (r.left == std::max(x, 0) && r.top == std::max(y, 0)) return;
    SetWindowPos(main_, nullptr, std::max(x, 0), std::max(y, 0), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowBackend::showMain() {
    if (!main_) return;
    // Show-window: restore the application, make the window visible (running the
    // show handler when it was hidden), bring it to the front.
    if (appMinimized_ || !IsWindowVisible(app_)) {
        appMinimized_ = false;
        ShowWindow(app_, IsIconic(app_) ? SW_RESTORE : SW_SHOWNA);
    }
    if (model_.form && !model_.form->visible()) {
        model_.form->setVisible(true);
        centreMain();
        // As in the toolkit, the show handler runs just before the window appears.
        if (model_.form->onShow) guarded(model_.form->onShow);
        if (!main_ || closePending_ || quitting_) return;
    }
    ShowWindow(main_, SW_SHOWNORMAL);
    SetForegroundWindow(main_);
}

void WindowBackend::hideMain() {
    // Without an icon standing in the tray nothing would bring the window back.
    if (!model_.tray || !trayShown_) {
        minimizeApp();
        return;
    }
    if (model_.form) model_.form->setVisible(false);
    if (main_) ShowWindow(main_, SW_HIDE);
    if (app_) ShowWindow(app_, SW_HIDE);
}

void WindowBackend::minimizeApp() {
    if (!app_) return;
    if (!appMinimized_) {
        appMinimized_ = true;
        ShowWindow(app_, SW_MINIMIZE);
        // The window goes with its owner; the taskbar button stays.
        if (main_) ShowWindow(main_, SW_HIDE);
    }
    // Hidden only while an icon really stands in the tray: without a shell to
    // show it, the taskbar button is the way back.
    if (model_.tray && trayShown_ && model_.tray->minimizeToTray) {
        // Only the tray icon remains; bringing the window back shows it afresh.
        ShowWindow(app_, SW_HIDE);
        if (model_.form) model_.form->setVisible(false);
    }
}

void WindowBackend::appRestored() {
    appMinimized_ = false;
    if (!main_) return;
    if (model_.form && !model_.form->visible()) {
        // Started minimized and restored from the taskbar: the first real showing.
        showMain();
        return;
    }
    ShowWindow(main_, SW_SHOW);
    SetForegroundWindow(main_);
}

void WindowBackend::trayUpdate() {
    if (!main_ || !model_.tray) return;
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = main_;
    nid.uID = kTrayIconId;
    if (!model_.tray->visible()) {
        if (trayShown_) lazy::Shell_NotifyIconA(NIM_DELETE, &nid);
        trayShown_ = false;
        // Nothing would be left to bring back a window that went to the tray, by
        // minimizing or by hiding: it takes a taskbar button. (Before the message
        // loop runs the window is simply not shown yet.)
        if (timersRunning_ && app_ && !IsWindowVisible(app_)) {
            appMinimized_ = true;
            ShowWindow(app_, SW_SHOWMINNOACTIVE);
        }
        return;
    }
    nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = kMsgTray;
    nid.hIcon = smallIcon_;
    // The tooltip keeps its LF CR line break; the shell shows at most 127 characters.
    const std::string& tip = model_.tray->hint();
    std::memcpy(nid.szTip, tip.data(), std::min(tip.size(), sizeof nid.szTip - 1));
    if (trayShown_) {
        lazy::Shell_NotifyIconA(NIM_MODIFY, &nid);
    } else {
        trayShown_ = lazy::Shell_NotifyIconA(NIM_ADD, &nid) != FALSE;
    }
    if (trayShown_ && model_.tray->balloonSerial() != balloonShown_) {
        balloonShown_ = model_.tray->balloonSerial();
        nid.uFlags = NIF_INFO;
        nid.dwInfoFlags = NIIF_INFO;
        const std::string& title = model_.tray->balloonTitle();
        const std::string& text = model_.tray->balloonText();
        std::memcpy(nid.szInfoTitle, title.data(), std::min(title.size(), sizeof nid.szInfoTitle - 1));
        std::memcpy(nid.szInfo, text.data(), std::min(text.size(), sizeof nid.szInfo - 1));
        lazy::Shell_NotifyIconA(NIM_MODIFY, &nid);
    }
}

void WindowBackend::flashRequested() {
    // The taskbar button belongs to the application window; it flashes until the
    // window comes to the front.
    HWND button = app_ ? app_ : main_;
    if (!button) return;
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = button;
    flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
    FlashWindowEx(&flash);
}

void WindowBackend::trayRemove(HWND hwnd) {
    if (!trayShown_) return;
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd;
    nid.uID = kTrayIconId;
    lazy::Shell_NotifyIconA(NIM_DELETE, &nid);
    trayShown_ = false;
}

LRESULT WindowBackend::onTaskbarCreated(HWND, UINT, WPARAM, LPARAM) {
    // Explorer restarted: the notification area forgot our icon.
    trayShown_ = false;
    trayUpdate();
    return 0;
}

LRESULT WindowBackend::onSysCommand(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if ((wParam & 0xFFF0) != SC_MINIMIZE) return DefWindowProcA(hwnd, msg, wParam, lParam);
    minimizeApp();
    return 0;
}

LRESULT WindowBackend::onTray(HWND, UINT, WPARAM, LPARAM lParam) {
    // While a handler waits in a dialog, the tray must not start another one on top of it.
    if (!model_.tray || handlerDepth_ > 0) return 0;
    switch (static_cast<UINT>(lParam)) {
        case WM_RBUTTONUP:
            if (model_.tray->popupMenu) {
                POINT at{};
                GetCursorPos(&at);
                popup(*model_.tray->popupMenu, at);
            }
            break;
        case WM_LBUTTONDBLCLK:
            guarded(model_.tray->onDblClick);
            break;
        case NIN_BALLOONUSERCLICK:
            guarded(model_.tray->onBalloonClick);
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace vexal::window
