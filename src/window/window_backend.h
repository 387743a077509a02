#pragma once
// The real window behind the control model: one HWND per control, a hidden
// owner window that carries the taskbar button, the menus, the tray icon, the
// timers and the message loop. Model changes are mirrored into the windows;
// what the user does in the windows becomes model events.
#include <windows.h>

#include <optional>
// after windows.h, which it needs
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/scoped.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/window_model.h"
#include "ui/form.h"
#include "ui/menu.h"

namespace vexal::window {

// The scoped handles and lazily loaded calls of the Win32 services.
using namespace platform::win32;

// What the backend builds its windows from.
using WindowModel = ui::WindowModel;

using ui::kFirstControlId;
// Ids of the menu items without a command of their own (submenus, separators).
inline constexpr int kFirstMenuCommand = 2000;

class WindowBackend final : public ui::ControlObserver,
                            public ui::MenuObserver,
                            public ui::ApplicationObserver,
                            public ui::FormObserver {
public:
    explicit WindowBackend(WindowModel model);
    ~WindowBackend() override;
    WindowBackend(const WindowBackend&) = delete;
    WindowBackend& operator=(const WindowBackend&) = delete;

    // Creates every window from the model as it stands; nothing is shown yet.
    void create();
    [[nodiscard]] HWND mainWindow() const { return main_; }
    [[nodiscard]] HWND controlWindow(const ui::Control& control) const;

    // The first showing at start; with `minimized` the window stays hidden and the
    // program waits on the taskbar or in the tray.
    void start(bool minimized);
    // Runs until the program is terminated or the main window is gone.
    void run();
    // Destroys the main window if it still exists (running the destroy hook).
    void destroy();

    // WM_HOTKEY with the hotkey's id.
    std::function<void(int id)> onHotkey;
    // The application title (the taskbar text) changed.
    std::function<void(const std::string&)> onTitleChanged;

    // ---- model observers
    void changed(ui::Control& control, ui::Property property) override;
    void changed(ui::MenuItem& item) override;
    void titleChanged() override;
    void terminateRequested() override;
    void minimizeRequested() override;
    void captionChanged() override;
    void focusChanged(ui::Control* control) override;
    void closeRequested() override;
    void showRequested() override;
    void hideRequested() override;
    void flashRequested() override;

private:
    struct ControlWindow {
        ui::Control* control = nullptr;
        HWND hwnd = nullptr;
        HWND edit = nullptr;  // the edit field inside a combo box
        HWND list = nullptr;  // the drop-down list of a combo box
        std::vector<std::string> shownItems;  // list items as the window holds them
        std::vector<ui::ListColumn> shownColumns;  // a list view's columns and rows as it holds them
        std::vector<ui::ListRow> shownRows;
        HIMAGELIST images = nullptr;
        bool hot = false, pressed = false;  // flat buttons
    };
    struct MenuEntry {
        ui::MenuItem* item = nullptr;
        HMENU owner = nullptr;    // the menu the item sits in
        UINT position = 0;        // its place there: several items may share one command id
        HMENU submenu = nullptr;  // its own pop-up, when it has children
        bool autoAccel = false;
        std::string display;  // caption with the accelerator letter the menu assigned
    };
    struct TimerEntry {
        ui::Timer* timer = nullptr;
        UINT_PTR id = 0;
        int armedInterval = 0;  // 0: not running
    };
    struct Picture {
        ScopedBitmap normal;    // 32-bit top-down DIB, premultiplied alpha
        ScopedBitmap disabled;  // the same, greyed
        int width = 0, height = 0;
    };

    // ---- window procedures
    static LRESULT CALLBACK mainProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK appProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK flatButtonProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK pictureProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK childSubclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT onMainMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT onAppMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT onChildMessage(ControlWindow&, HWND, UINT, WPARAM, LPARAM, bool& handled);
    LRESULT onFlatButtonMessage(ControlWindow&, HWND, UINT, WPARAM, LPARAM);
    LRESULT onPictureMessage(ControlWindow&, HWND, UINT, WPARAM, LPARAM);
    // Painting and pressing shared by the custom controls that click like a button.
    std::optional<LRESULT> onPressable(ControlWindow&, HWND, UINT, LPARAM, void (WindowBackend::*paint)(ControlWindow&, HDC));

    void registerClasses();
    void guarded(const std::function<void()>& handler);  // through ui::runHandler
    // Runs a window procedure's body; nothing thrown may cross into the system's frames.
    template <typename Body>
    LRESULT shielded(Body&& body, LRESULT fallback) noexcept {
        try {
            return body();
        } catch (const std::exception& e) {
            try {
                if (model_.showError) model_.showError(e.what());
            } catch (...) {
            }
        } catch (...) {
        }
        return fallback;
    }
    bool afterMessage();
    // WM_COPYDATA from another process: kept, answered at once, opened from the loop.
    LRESULT receiveLink(LPARAM lParam);
    void openPendingLink();

    // ---- controls (window_controls.cpp)
    void createControl(std::size_t index);
    [[nodiscard]] std::vector<std::size_t> zOrderBottomToTop() const;
    void apply(ControlWindow& cw, ui::Property property);
    void applyBounds(ControlWindow& cw);
    void applyVisible(ControlWindow& cw);
    void applyEnabled(ControlWindow& cw);
    void applyItems(ControlWindow& cw);
    void applyItemIndex(ControlWindow& cw);
    void applyText(ControlWindow& cw);
    void applyPicture(ControlWindow& cw);
    [[nodiscard]] bool effectiveVisible(const ui::Control& c) const;
    [[nodiscard]] bool effectiveEnabled(const ui::Control& c) const;
    [[nodiscard]] POINT origin(const ui::Control& c) const;
    HFONT font(const ui::Font& font);
    HBRUSH brush(COLORREF colour);
    [[nodiscard]] static COLORREF resolve(ui::Colour colour);
    LRESULT onCtlColor(HWND main, UINT msg, HDC dc, HWND child);
    void drawListItem(const DRAWITEMSTRUCT& item);
    void paintFlatButton(ControlWindow& cw, HDC dc);
    void paintPicture(ControlWindow& cw, HDC dc);
    void onCommand(WPARAM wParam, LPARAM lParam);

    // ---- report lists (window_listview.cpp)
    void applyListView(ControlWindow& cw);
    void applyListSelection(ControlWindow& cw);
    void applyListColours(ControlWindow& cw);
    bool listNotify(const NMHDR& header);
    void drawListRow(const DRAWITEMSTRUCT& item);
    // Made when first shown: a window that may never be opened costs nothing at start.
    [[nodiscard]] static bool madeWhenShown(ui::Kind kind) {
        return kind == ui::Kind::Memo || kind == ui::Kind::ListView;
    }
    ControlWindow* byHwnd(HWND hwnd);
    ControlWindow* byControl(const ui::Control* control);

    // ---- pictures (window_pictures.cpp)
    const Picture* picture(int resourceId);
    HIMAGELIST buttonImages(const ui::Button& button);
    // Blends a picture's premultiplied pixels onto what the DC shows.
    static void drawPicture(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);

    // ---- pointer, keyboard, focus (window_input.cpp)
    void pointerOver(ui::Control* control, bool runMouseMove);
    void pointerOverMain(POINT clientPoint);
    void trackLeave(HWND hwnd);
    void pointerMayHaveLeft();
    bool preTranslate(MSG& msg);
    void tabFrom(ui::Control* current, bool backwards);
    [[nodiscard]] std::vector<ui::Control*> tabSequence() const;
    [[nodiscard]] bool canFocus(const ui::Control& c) const;
    bool mnemonic(char key);
    void restoreFocus();
    void createTooltips();
    void updateTooltipTiming();

    // ---- menus (window_menus.cpp)
    void buildMenus();
    HMENU buildMenu(ui::MenuItem& root, bool bar, bool autoAccel);
    void applyMenuItem(MenuEntry& entry);
    [[nodiscard]] std::string menuText(const MenuEntry& entry) const;
    void buildAccelerators();
    void prepareAutoAccelerators(HMENU menu);
    void popup(ui::MenuItem& menu, POINT screenPoint);
    void menuSelect(WPARAM wParam, LPARAM lParam);
    bool measureMenuPicture(MEASUREITEMSTRUCT& item);
    bool drawMenuPicture(const DRAWITEMSTRUCT& item);
    // The item of a command id, in that menu when one is given (the same command
    // may stand in several menus); the item a menu's owner-drawn picture belongs to.
    MenuEntry* menuByCommand(UINT command, HMENU menu = nullptr);
    MenuEntry* menuByData(ULONG_PTR data, UINT command);
    void menuOpening();
    HMENU popupMenuOf(ui::MenuItem* item);
    ui::MenuItem* contextMenuOf(const ui::Control* control) const;

    // ---- window state, tray and timers (window_tray.cpp)
    void showMain();
    void hideMain();
    void minimizeApp();
    void appRestored();
    void centreMain();
    void trayUpdate();
    void trayMessage(LPARAM lParam);
    void timerStateChanged(TimerEntry& entry);
    void timerFired(UINT_PTR id);

    WindowModel model_;
    HINSTANCE instance_ = nullptr;
    HWND app_ = nullptr;
    HWND main_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<ControlWindow> windows_;         // parallel to model_.controls
    std::map<HWND, std::size_t> windowIndex_;    // every HWND of ours, combo parts included
    std::map<const ui::MenuItem*, MenuEntry> menus_;
    std::map<const ui::MenuItem*, HMENU> popups_;
    std::vector<ScopedMenu> ownedMenus_;         // pop-up menus not attached to the window
    HACCEL accelerators_ = nullptr;
    std::vector<TimerEntry> timers_;
    std::map<int, Picture> pictures_;
    std::map<std::string, ScopedFont> fonts_;
    std::map<COLORREF, ScopedBrush> brushes_;
    HICON icon_ = nullptr, smallIcon_ = nullptr;  // shared resource icons, never destroyed

    int applying_ = 0;           // >0 while the backend itself changes a window
    bool closePending_ = false;  // Form::close(): destroy after the handler returns
    int handlerDepth_ = 0;        // handlers running, counting those suspended in a dialog
    bool timersRunning_ = false;  // armed once the message loop is about to run
    bool quitting_ = false;
    bool appMinimized_ = false;
    bool trayShown_ = false;
    int balloonShown_ = 0;  // the serial of the tray balloon last shown
    bool looping_ = false;                  // the message loop runs: start-up is over
    std::optional<std::string> pendingLink_;  // the newest link handed over, not yet opened
    bool linkPosted_ = false;               // kMsgLink is on its way
    UINT taskbarCreated_ = 0;
    const ui::Control* pointed_ = nullptr;
    int tooltipPause_ = -1;
    std::string tipText_;
    int creatingItemHeight_ = 13;
};

}  // namespace vexal::window
