#include "window/window_backend.h"

#include <algorithm>

#include "resources/resource_ids.h"
#include "ui/dispatch.h"
#include "window/window_messages.h"

namespace vexal::window {

WindowBackend::WindowBackend(WindowModel model) : model_(std::move(model)) {
    onHotkey = model_.onHotkey;
    instance_ = GetModuleHandleA(nullptr);
    windows_.resize(model_.controls.size());
    for (std::size_t i = 0; i < model_.controls.size(); ++i) {
        windows_[i].control = model_.controls[i];
        model_.controls[i]->setObserver(this);
    }
    if (model_.application) model_.application->setObserver(this);
    if (model_.form) model_.form->setFormObserver(this);
    for (std::size_t i = 0; i < model_.timers.size(); ++i) {
        timers_.push_back({model_.timers[i], i + 1, 0});
        model_.timers[i]->onStateChange = [this, i] { timerStateChanged(timers_[i]); };
    }
    if (model_.tray) model_.tray->onStateChange = [this] { trayUpdate(); };
}

WindowBackend::~WindowBackend() {
    for (auto* c : model_.controls) c->setObserver(nullptr);
    for (auto& [command, entry] : menus_) entry.item->setObserver(nullptr);
    if (model_.application) model_.application->setObserver(nullptr);
    if (model_.form) model_.form->setFormObserver(nullptr);
    for (auto* t : model_.timers) t->onStateChange = nullptr;
    if (model_.tray) model_.tray->onStateChange = nullptr;
    if (main_) DestroyWindow(main_);
    if (app_) DestroyWindow(app_);
    for (auto& cw : windows_)
        if (cw.images) ImageList_Destroy(cw.images);
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
}

void WindowBackend::guarded(const std::function<void()>& handler) {
    ++handlerDepth_;
    ui::runHandler(handler, model_.showError);
    --handlerDepth_;
}

HWND WindowBackend::controlWindow(const ui::Control& control) const {
    for (const auto& cw : windows_)
        if (cw.control == &control) return cw.hwnd;
    return nullptr;
}

WindowBackend::ControlWindow* WindowBackend::byHwnd(HWND hwnd) {
    const auto it = windowIndex_.find(hwnd);
    return it == windowIndex_.end() ? nullptr : &windows_[it->second];
}

WindowBackend::ControlWindow* WindowBackend::byControl(const ui::Control* control) {
    for (auto& cw : windows_)
        if (cw.control == control) return &cw;
    return nullptr;
}

WindowBackend::ControlWindow* WindowBackend::byId(UINT id) {
    const std::size_t index = id - static_cast<UINT>(kFirstControlId);
    return id >= static_cast<UINT>(kFirstControlId) && index < windows_.size() ? &windows_[index] : nullptr;
}

void WindowBackend::registerClasses() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);

    wc.lpfnWndProc = appProc;
    wc.hIcon = icon_;
    wc.hIconSm = smallIcon_;
    wc.lpszClassName = kApplicationClass;
    RegisterClassExA(&wc);

    wc.lpfnWndProc = mainProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = model_.className.c_str();
    RegisterClassExA(&wc);

    wc.hIcon = wc.hIconSm = nullptr;
    wc.hbrBackground = nullptr;
    wc.lpfnWndProc = drawnProc;
    wc.lpszClassName = kFlatButtonClass;
    RegisterClassExA(&wc);
    wc.lpszClassName = kPictureClass;
    RegisterClassExA(&wc);
}

void WindowBackend::create() {
    icon_ = static_cast<HICON>(
        LoadImageA(instance_, MAKEINTRESOURCEA(IDI_VEXAL), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    smallIcon_ =
        static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(IDI_VEXAL), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    readDpi();
    registerClasses();
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");

    // The owner window carries the taskbar button and the application title; it
    // has no area of its own, the main window is what the user sees.
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    const std::string title = model_.application ? model_.application->title() : std::string();
    app_ = CreateWindowExA(0, kApplicationClass, title.c_str(),
                           WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, cx / 2, cy / 2, 0, 0,
                           nullptr, nullptr, instance_, this);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const int clientWidth = px(model_.clientWidth), clientHeight = px(model_.clientHeight);
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, style, model_.mainMenu != nullptr, 0);
    const std::string caption = model_.form ? model_.form->caption() : std::string();
    ++applying_;
    HMENU menuBar = buildMenuBar();
    // Born where it will show, centred, so that showing it moves nothing.
    const int width = r.right - r.left, height = r.bottom - r.top;
    main_ = CreateWindowExA(0, model_.className.c_str(), caption.c_str(), style, std::max((cx - width) / 2, 0),
                            std::max((cy - height) / 2, 0), width, height, app_, menuBar, instance_, this);
    if (!main_ && menuBar) DestroyMenu(menuBar);

    // A new child window goes below its siblings, so creating the controls from the
    // top down gives the stacking order without moving any of them afterwards.
    const auto bottomToTop = zOrderBottomToTop();
    // The text viewers stay hidden until asked for: each is made when first shown.
    for (auto it = bottomToTop.rbegin(); it != bottomToTop.rend(); ++it)
        if (!handlerOf(windows_[*it].control->kind()).madeWhenShown || effectiveVisible(*windows_[*it].control))
            createControl(*it);
    buildPopupMenus();
    --applying_;
    buildAccelerators();

    // A menu bar that wraps takes client height; make the client area exactly as designed.
    RECT client{};
    GetClientRect(main_, &client);
    RECT window{};
    GetWindowRect(main_, &window);
    const int dw = clientWidth - (client.right - client.left);
    const int dh = clientHeight - (client.bottom - client.top);
    if (dw != 0 || dh != 0)
        SetWindowPos(main_, nullptr, 0, 0, window.right - window.left + dw, window.bottom - window.top + dh,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    trayUpdate();
}

// ---- window procedures ------------------------------------------------------

namespace {
template <typename T>
T* fromWindow(HWND hwnd, UINT msg, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<T*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        return self;
    }
    return reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}
}  // namespace

LRESULT CALLBACK WindowBackend::mainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = fromWindow<WindowBackend>(hwnd, msg, lParam);
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->shielded([&] { return self->onMainMessage(hwnd, msg, wParam, lParam); }, 0);
}

LRESULT CALLBACK WindowBackend::appProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = fromWindow<WindowBackend>(hwnd, msg, lParam);
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->shielded([&] { return self->onAppMessage(hwnd, msg, wParam, lParam); }, 0);
}

LRESULT WindowBackend::onMainMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_COMMAND:
            return routeCommand(hwnd, msg, wParam, lParam);
        case WM_NOTIFY:
            return routeNotify(hwnd, msg, wParam, lParam);
        case WM_DRAWITEM:
            return routeDrawItem(hwnd, msg, wParam, lParam);
        case WM_MEASUREITEM:
            return routeMeasureItem(hwnd, msg, wParam, lParam);
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            return routeCtlColor(hwnd, msg, wParam, lParam);
        case WM_MOUSEMOVE:
            return onMouseMove(hwnd, msg, wParam, lParam);
        case WM_MOUSELEAVE:
            return onMouseLeave(hwnd, msg, wParam, lParam);
        case WM_MENUSELECT:
            return onMenuSelect(hwnd, msg, wParam, lParam);
        case WM_INITMENUPOPUP:
            return onInitMenuPopup(hwnd, msg, wParam, lParam);
        case WM_TIMER:
            return onTimer(hwnd, msg, wParam, lParam);
        case WM_HOTKEY:
            return onHotkeyMessage(hwnd, msg, wParam, lParam);
        case kMsgTray:
            return onTray(hwnd, msg, wParam, lParam);
        case WM_COPYDATA:
            return receiveLink(lParam);
        case kMsgLink:
            return onLinkDue(hwnd, msg, wParam, lParam);
        case kMsgSyncText:
            return onSyncText(hwnd, msg, wParam, lParam);
        case WM_SYSCOMMAND:
            return onSysCommand(hwnd, msg, wParam, lParam);
        case WM_ACTIVATE:
            return onActivate(hwnd, msg, wParam, lParam);
        case WM_CLOSE:
            return onClose(hwnd, msg, wParam, lParam);
        case WM_DESTROY:
            return onDestroy(hwnd, msg, wParam, lParam);
        case WM_NCDESTROY:
            return onNcDestroy(hwnd, msg, wParam, lParam);
        default:
            if (msg == taskbarCreated_ && msg != 0) return onTaskbarCreated(hwnd, msg, wParam, lParam);
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT WindowBackend::onHotkeyMessage(HWND, UINT, WPARAM wParam, LPARAM) {
    // Like the tray: nothing new starts while a handler waits in a dialog.
    if (onHotkey && handlerDepth_ == 0) guarded([&] { onHotkey(static_cast<int>(wParam)); });
    return 0;
}

LRESULT WindowBackend::onClose(HWND hwnd, UINT, WPARAM, LPARAM) {
    // Closing from the taskbar while a handler waits in a dialog must not pull
    // the window away under that handler: the close waits until it returns.
    if (handlerDepth_ > 0 || !IsWindowEnabled(hwnd)) {
        closePending_ = true;
        return 0;
    }
    DestroyWindow(hwnd);
    return 0;
}

LRESULT WindowBackend::onDestroy(HWND hwnd, UINT, WPARAM, LPARAM) {
    trayRemove(hwnd);
    stopTimers(hwnd);
    if (model_.onDestroy) guarded(model_.onDestroy);
    PostQuitMessage(0);
    return 0;
}

LRESULT WindowBackend::onNcDestroy(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    for (auto& cw : windows_) cw.hwnd = cw.edit = cw.list = nullptr;
    windowIndex_.clear();
    tooltip_ = nullptr;
    main_ = nullptr;
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT WindowBackend::onAppMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SYSCOMMAND:
            switch (wParam & 0xFFF0) {
                case SC_MINIMIZE:
                    minimizeApp();
                    return 0;
                case SC_CLOSE:
                    if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_SIZE:
            if (wParam == SIZE_RESTORED && appMinimized_) {
                const LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
                appRestored();
                return r;
            }
            break;
        case WM_ACTIVATE:
            // The taskbar button or Alt+Tab activated the owner: the main window is meant.
            if (LOWORD(wParam) != WA_INACTIVE) PostMessageA(hwnd, kMsgActivateMain, 0, 0);
            return 0;
        case kMsgActivateMain:
            // With a dialog open, the dialog is what the user came back to.
            if (main_ && IsWindowVisible(main_) && !appMinimized_) {
                HWND popup = GetLastActivePopup(main_);
                SetActiveWindow(popup && IsWindowVisible(popup) && IsWindowEnabled(popup) ? popup : main_);
            }
            return 0;
        case WM_CLOSE:
            if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
            return 0;
        case WM_NCDESTROY:
            app_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// ---- the message loop -------------------------------------------------------

void WindowBackend::start(bool minimized) {
    // The timers tick from the message loop on, never inside a dialog of the start-up.
    timersRunning_ = true;
    for (auto& t : timers_) timerStateChanged(t);
    if (!minimized) {
        showMain();
        // The window is painted before the hints' tooltip is made: nothing needs the
        // tooltip until the pointer has rested on a control.
        if (main_) RedrawWindow(main_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    } else if (!model_.tray || !trayShown_ || !model_.tray->minimizeToTray) {
        // Started minimized: the window stays hidden; the program waits in the tray,
        // or on the taskbar when there is no tray icon to bring it back.
        appMinimized_ = true;
        ShowWindow(app_, SW_SHOWMINNOACTIVE);
    }
    if (main_) createTooltips();
}

bool WindowBackend::afterMessage() {
    // Closing and ending wait until the handler that asked for them has returned.
    if (closePending_ && main_) {
        closePending_ = false;
        DestroyWindow(main_);
    }
    // A link that came while a handler waited in a dialog is opened now.
    if (pendingLink_ && !linkPosted_ && main_ && !quitting_ && handlerDepth_ == 0 && IsWindowEnabled(main_)) {
        linkPosted_ = true;
        PostMessageA(main_, kMsgLink, 0, 0);
    }
    return main_ != nullptr && !quitting_;
}

void WindowBackend::run() {
    looping_ = true;
    MSG msg;
    while (afterMessage()) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        if (preTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void WindowBackend::destroy() {
    if (main_) DestroyWindow(main_);
}

}  // namespace vexal::window
