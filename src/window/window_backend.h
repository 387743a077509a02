#pragma once
// The real window behind the control model: one HWND per control, a hidden
// owner window that carries the taskbar button, the menus, the tray icon, the
// timers and the message loop. Model changes are mirrored into the windows;
// what the user does in the windows becomes model events.
#include <windows.h>

#include <optional>
// after windows.h, which it needs
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/scoped.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/window_model.h"

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

    // ---- model observers (window_observers.cpp)
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
        HWND edit = nullptr;                       // the edit field inside a combo box
        HWND list = nullptr;                       // the drop-down list of a combo box
        std::vector<std::string> shownItems;       // list items as the window holds them
        std::vector<ui::ListColumn> shownColumns;  // a list view's columns and rows as it holds them
        std::vector<ui::ListRow> shownRows;
        HIMAGELIST images = nullptr;
        bool hot = false, pressed = false;  // flat buttons
        util::Image shownImage;             // a picture box's loaded picture at the screen's size
    };
    // What one kind of control is in the window: how its window is made, how the
    // model's changes reach it and what its notifications mean. Each kind's file
    // fills one; what a kind leaves empty, the common part does or nothing does.
    struct KindHandler {
        const char* windowClass = nullptr;
        DWORD style = 0, exStyle = 0;
        DWORD (*settingsStyle)(const ui::Control&) = nullptr;  // from the control's own settings
        std::string (*text)(const ui::Control&) = nullptr;     // the caption or the text it shows
        bool textInPart = false;  // the text lives in a part inside the window (the combo's edit)
        int (*windowHeight)(const ui::Control&) = nullptr;  // when the window is taller than the control
        bool madeWhenShown = false;                         // a window that may never be opened costs nothing at start
        bool raisedWhenShown = false;                       // lies over the other controls when it appears
        void (WindowBackend::*created)(ControlWindow&) = nullptr;
        // A property shown in this kind's own way; false leaves it to the common part.
        bool (WindowBackend::*apply)(ControlWindow&, ui::Property) = nullptr;
        void (WindowBackend::*command)(ControlWindow&, UINT code) = nullptr;    // WM_COMMAND
        bool (WindowBackend::*notify)(ControlWindow&, const NMHDR&) = nullptr;  // WM_NOTIFY
        void (WindowBackend::*draw)(ControlWindow&, const DRAWITEMSTRUCT&) = nullptr;
        void (WindowBackend::*measure)(ControlWindow&, MEASUREITEMSTRUCT&) = nullptr;
        void (WindowBackend::*colour)(ControlWindow&, UINT msg, HDC, LRESULT& brush) = nullptr;  // WM_CTLCOLOR*
        // The window procedure of a window class of our own.
        LRESULT (WindowBackend::*message)(ControlWindow&, HWND, UINT, WPARAM, LPARAM) = nullptr;
    };
    struct MenuEntry {
        ui::MenuItem* item = nullptr;
        HMENU owner = nullptr;    // the menu the item sits in
        UINT position = 0;        // its place there: several items may share one command id
        HMENU submenu = nullptr;  // its own pop-up, when it has children
        bool autoAccel = false;
        std::string display;  // caption with the accelerator letter the menu assigned
        bool shown = true;    // in its menu; a hidden item has no place there
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

    // ---- the windows, their procedures and the message loop (window_backend.cpp)
    ControlWindow* byHwnd(HWND hwnd);
    ControlWindow* byControl(const ui::Control* control);
    ControlWindow* byId(UINT id);  // a control's id, for what comes while its window is being made
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
    void registerClasses();
    static LRESULT CALLBACK mainProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK appProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT onMainMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT onAppMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT onHotkeyMessage(HWND, UINT, WPARAM, LPARAM);
    LRESULT onClose(HWND, UINT, WPARAM, LPARAM);
    LRESULT onDestroy(HWND, UINT, WPARAM, LPARAM);
    LRESULT onNcDestroy(HWND, UINT, WPARAM, LPARAM);
    bool afterMessage();

    // ---- the screen's DPI (window_dpi.cpp): the model is laid out for 96 dpi, and
    // every size a window gets from it passes through here
    void readDpi();
    [[nodiscard]] int px(int designPixels) const;
    // Where a control's window stands in the main window's client area.
    [[nodiscard]] RECT placement(const ui::Control& c) const;
    // A picture's pixels at the screen's size, smoothly; width and height follow.
    [[nodiscard]] std::vector<std::uint32_t> scaledPixels(const std::vector<std::uint32_t>& pixels, int& width,
                                                          int& height) const;

    // ---- a child's notifications to the handler of its kind (window_routing.cpp)
    [[nodiscard]] static const KindHandler& handlerOf(ui::Kind kind);
    LRESULT routeCommand(HWND, UINT, WPARAM, LPARAM);
    LRESULT routeNotify(HWND, UINT, WPARAM, LPARAM);
    LRESULT routeDrawItem(HWND, UINT, WPARAM, LPARAM);
    LRESULT routeMeasureItem(HWND, UINT, WPARAM, LPARAM);
    LRESULT routeCtlColor(HWND, UINT, WPARAM, LPARAM);

    // ---- what every control's window has (window_controls.cpp)
    [[nodiscard]] POINT origin(const ui::Control& c) const;
    [[nodiscard]] bool effectiveVisible(const ui::Control& c) const;
    [[nodiscard]] bool effectiveEnabled(const ui::Control& c) const;
    void createControl(std::size_t index, bool onScreen = false);  // onScreen: made after the window showed
    [[nodiscard]] std::vector<std::size_t> zOrderBottomToTop() const;
    void apply(ControlWindow& cw, ui::Property property);
    void applyText(ControlWindow& cw);
    void applyFont(ControlWindow& cw);
    void applyBounds(ControlWindow& cw);
    void applyVisible(ControlWindow& cw);
    void applyEnabled(ControlWindow& cw);

    // ---- push buttons and check boxes (window_buttons.cpp)
    static const KindHandler kButtonKind, kBitButtonKind, kCheckBoxKind;
    void applyPicture(ControlWindow& cw);
    bool applyCheckBox(ControlWindow& cw, ui::Property property);
    void buttonCommand(ControlWindow& cw, UINT code);
    void checkBoxCommand(ControlWindow& cw, UINT code);

    // ---- one-line edits and memos (window_edits.cpp)
    static const KindHandler kEditKind, kMemoKind;
    void memoCreated(ControlWindow& cw);
    bool applyEdit(ControlWindow& cw, ui::Property property);
    bool applyMemo(ControlWindow& cw, ui::Property property);
    void editCommand(ControlWindow& cw, UINT code);
    void memoCommand(ControlWindow& cw, UINT code);
    void editColour(ControlWindow& cw, UINT msg, HDC dc, LRESULT& brush);

    // ---- the combo box (window_combo_box.cpp)
    static const KindHandler kComboBoxKind;
    void comboCreated(ControlWindow& cw);
    bool applyComboBox(ControlWindow& cw, ui::Property property);
    void applyComboIndex(ControlWindow& cw);
    void comboCommand(ControlWindow& cw, UINT code);
    LRESULT onSyncText(HWND, UINT, WPARAM, LPARAM);

    // ---- the list box (window_list_box.cpp)
    static const KindHandler kListBoxKind;
    // Rewrites only the stretch of items that changed; the combo box's list too.
    void syncItems(ControlWindow& cw, const ui::StringList& items, UINT msgReset, UINT msgDelete, UINT msgInsert);
    bool applyListBox(ControlWindow& cw, ui::Property property);
    void applyListBoxIndex(ControlWindow& cw);
    void listBoxCommand(ControlWindow& cw, UINT code);
    void drawListItem(ControlWindow& cw, const DRAWITEMSTRUCT& item);
    void measureListItem(ControlWindow& cw, MEASUREITEMSTRUCT& item);

    // ---- report lists (window_list_view.cpp)
    static const KindHandler kListViewKind;
    void listViewCreated(ControlWindow& cw);
    bool applyListViewProperty(ControlWindow& cw, ui::Property property);
    void applyListColours(ControlWindow& cw);
    void applyListView(ControlWindow& cw);
    void applyListSelection(ControlWindow& cw);
    bool listNotify(ControlWindow& cw, const NMHDR& header);
    void drawListRow(ControlWindow& cw, const DRAWITEMSTRUCT& item);

    // ---- static texts, labels, group boxes and the progress bar (window_statics.cpp)
    static const KindHandler kStaticTextKind, kLabelKind, kGroupBoxKind, kProgressBarKind;
    void staticTextCommand(ControlWindow& cw, UINT code);
    void progressCreated(ControlWindow& cw);
    bool applyProgressBar(ControlWindow& cw, ui::Property property);

    // ---- the flat button and the picture box, drawn here (window_drawn.cpp)
    static const KindHandler kFlatButtonKind, kPictureKind;
    static LRESULT CALLBACK drawnProc(HWND, UINT, WPARAM, LPARAM);
    // Painting and pressing shared by the custom controls that click like a button.
    std::optional<LRESULT> onPressable(ControlWindow&, HWND, UINT, LPARAM,
                                       void (WindowBackend::*paint)(ControlWindow&, HDC));
    bool applyFlatButton(ControlWindow& cw, ui::Property property);
    bool applyPictureBox(ControlWindow& cw, ui::Property property);
    LRESULT onFlatButtonMessage(ControlWindow&, HWND, UINT, WPARAM, LPARAM);
    void paintFlatButton(ControlWindow& cw, HDC dc);
    LRESULT onPictureMessage(ControlWindow&, HWND, UINT, WPARAM, LPARAM);
    void paintPicture(ControlWindow& cw, HDC dc);

    // ---- GDI caches (window_gdi.cpp)
    [[nodiscard]] static COLORREF resolve(ui::Colour colour);
    HFONT font(const ui::Font& font);
    HBRUSH brush(COLORREF colour);

    // ---- pictures (window_pictures.cpp)
    const Picture* picture(int resourceId);
    // Blends a picture's premultiplied pixels onto what the DC shows.
    static void drawPicture(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);
    HIMAGELIST buttonImages(const ui::Button& button);

    // ---- pointer, keyboard, focus (window_input.cpp)
    void subclass(HWND hwnd);
    static LRESULT CALLBACK childProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT passOn(HWND, UINT, WPARAM, LPARAM);  // to the control's own procedure
    void relayToTooltip(HWND, UINT, WPARAM, LPARAM);
    LRESULT onChildMessage(ControlWindow&, HWND, UINT, WPARAM, LPARAM, bool& handled);
    void pointerOver(ui::Control* control, bool runMouseMove);
    void pointerOverMain(POINT clientPoint);
    void trackLeave(HWND hwnd);
    void pointerMayHaveLeft();
    LRESULT onMouseMove(HWND, UINT, WPARAM, LPARAM);
    LRESULT onMouseLeave(HWND, UINT, WPARAM, LPARAM);
    bool preTranslate(MSG& msg);
    [[nodiscard]] bool canFocus(const ui::Control& c) const;
    [[nodiscard]] std::vector<ui::Control*> tabSequence() const;
    void tabFrom(ui::Control* current, bool backwards);
    bool mnemonic(char key);
    void restoreFocus();
    LRESULT onActivate(HWND, UINT, WPARAM, LPARAM);

    // ---- tooltips (window_tooltips.cpp)
    void createTooltips();
    void updateTooltipTiming();
    LRESULT tooltipNotify(HWND, UINT, WPARAM, LPARAM);

    // ---- menus (window_menus.cpp)
    void numberMenu(ui::MenuItem& root);
    HMENU buildMenuBar();
    void buildPopupMenus();
    HMENU buildMenu(ui::MenuItem& root, bool bar, bool autoAccel);
    void applyMenuItem(MenuEntry& entry);
    void insertMenuItem(MenuEntry& entry);
    void placeMenuItem(MenuEntry& entry);  // in or out of its menu, as the item's visibility says
    [[nodiscard]] std::string menuText(const MenuEntry& entry) const;
    void buildAccelerators();
    void prepareAutoAccelerators(HMENU menu);
    bool measureMenuPicture(MEASUREITEMSTRUCT& item);
    bool drawMenuPicture(const DRAWITEMSTRUCT& item);
    void popup(ui::MenuItem& menu, POINT screenPoint);
    // The item of a command id, in that menu when one is given (the same command
    // may stand in several menus); the item a menu's owner-drawn picture belongs to.
    MenuEntry* menuByCommand(UINT command, HMENU menu = nullptr);
    MenuEntry* menuByData(ULONG_PTR data, UINT command);
    void menuOpening();
    HMENU popupMenuOf(ui::MenuItem* item);
    ui::MenuItem* contextMenuOf(const ui::Control* control) const;
    LRESULT menuCommand(UINT command);
    LRESULT onMenuSelect(HWND, UINT, WPARAM, LPARAM);
    LRESULT onInitMenuPopup(HWND, UINT, WPARAM, LPARAM);

    // ---- window state and the tray (window_tray.cpp)
    void centreMain();
    void showMain();
    void hideMain();
    void minimizeApp();
    void appRestored();
    void trayUpdate();
    void trayRemove(HWND hwnd);
    LRESULT onTray(HWND, UINT, WPARAM, LPARAM);
    LRESULT onSysCommand(HWND, UINT, WPARAM, LPARAM);
    LRESULT onTaskbarCreated(HWND, UINT, WPARAM, LPARAM);

    // ---- timers (window_timers.cpp)
    void timerStateChanged(TimerEntry& entry);
    LRESULT onTimer(HWND, UINT, WPARAM, LPARAM);
    void stopTimers(HWND hwnd);

    // ---- a link handed over by another copy (link_receive.cpp; link_handoff.cpp sends one)
    // WM_COPYDATA from another process: kept, answered at once, opened from the loop.
    LRESULT receiveLink(LPARAM lParam);
    void openPendingLink();
    LRESULT onLinkDue(HWND, UINT, WPARAM, LPARAM);

    WindowModel model_;
    HINSTANCE instance_ = nullptr;
    HWND app_ = nullptr;
    HWND main_ = nullptr;
    HWND tooltip_ = nullptr;
    std::vector<ControlWindow> windows_;       // parallel to model_.controls
    std::map<HWND, std::size_t> windowIndex_;  // every HWND of ours, combo parts included
    std::map<HWND, WNDPROC> originalProcs_;    // the subclassed windows' own procedures
    std::map<const ui::MenuItem*, MenuEntry> menus_;
    std::map<const ui::MenuItem*, HMENU> popups_;
    UINT nextMenuCommand_ = kFirstMenuCommand;  // for the items without a command of their own
    std::vector<ScopedMenu> ownedMenus_;  // pop-up menus not attached to the window
    HACCEL accelerators_ = nullptr;
    std::vector<TimerEntry> timers_;
    std::map<int, Picture> pictures_;
    std::map<std::string, ScopedFont> fonts_;
    std::map<COLORREF, ScopedBrush> brushes_;
    HICON icon_ = nullptr, smallIcon_ = nullptr;  // shared resource icons, never destroyed

    int dpi_ = 96;                // the screen's, read when the windows are made
    int applying_ = 0;            // >0 while the backend itself changes a window
    bool closePending_ = false;   // Form::close(): destroy after the handler returns
    int handlerDepth_ = 0;        // handlers running, counting those suspended in a dialog
    bool timersRunning_ = false;  // armed once the message loop is about to run
    bool quitting_ = false;
    bool appMinimized_ = false;
    bool trayShown_ = false;
    int balloonShown_ = 0;  // the serial of the tray balloon last shown
    bool looping_ = false;                    // the message loop runs: start-up is over
    std::optional<std::string> pendingLink_;  // the newest link handed over, not yet opened
    bool linkPosted_ = false;                 // kMsgLink is on its way
    UINT taskbarCreated_ = 0;
    const ui::Control* pointed_ = nullptr;
    int tooltipPause_ = -1;
    std::string tipText_;
};

}  // namespace vexal::window
