#pragma once
// Everything the window system needs to know of a window: its form, controls,
// menus, timers and tray icon, and whom to tell when it goes or a hotkey comes.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/application.h"
#include "ui/control.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/timer.h"
#include "ui/tray_icon.h"

namespace vexal::ui {

// The window numbers its controls from here, in the order of WindowModel::controls.
inline constexpr int kFirstControlId = 1000;

struct WindowModel {
    Form* form = nullptr;
    Application* application = nullptr;
    std::vector<Control*> controls;  // in layout order: the window numbers them so
    MenuItem* mainMenu = nullptr;
    // Context menus of controls (right click, the context-menu key).
    std::vector<std::pair<Control*, MenuItem*>> contextMenus;
    std::vector<Timer*> timers;
    TrayIcon* tray = nullptr;
    std::string className = "TfrmVexal";
    int clientWidth = 553;
    int clientHeight = 339;
    std::function<void()> onDestroy;  // the window is being destroyed
    // A menu is about to open or a shortcut to be looked up: marks and enabled
    // states are brought up to date with the program's state.
    std::function<void()> onMenuOpen;
    std::function<void(int id)> onHotkey;  // a registered hotkey was pressed
    // Another copy of the program handed over a link (WM_COPYDATA): its text, cut
    // at the first NUL and bounded, not yet checked in any other way.
    std::function<void(const std::string&)> onLink;
    std::function<void(const std::string&)> showError;  // the standard error box
};

}  // namespace vexal::ui
