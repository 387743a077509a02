#pragma once
// The window's design: every control with its place, look, design-time state and
// command, and the three menus. The main window walks these tables when it is built.
#include <span>

#include "app/commands.h"
#include "ui/control.h"
#include "ui/menu.h"

namespace vexal {
class TfrmVexal;
}

namespace vexal::layout {

inline constexpr int kClientWidth = 553;
inline constexpr int kClientHeight = 339;

struct FontLook {
    const char* name = nullptr;  // nullptr: the window's font
    int height = 11;
    bool bold = false, italic = false, fixedPitch = false;
};

// The window's member a row describes.
using ControlOf = ui::Control& (*)(TfrmVexal&);

struct ControlRow {
    const char* name;
    ControlOf member;
    const char* parent = nullptr;  // group box, or nullptr for the window itself
    ui::Rect bounds;
    int tab = -1;  // -1: never takes the focus
    const char* caption = "";
    const char* hint = "";
    bool visible = true;
    bool enabled = true;
    int picture = -1;  // a button's picture, a picture box's design-time picture
    bool pictureRight = false;
    int spacing = 4;
    FontLook font = {};
    ui::Colour colour = ui::kClDefault;
    ui::Colour background = ui::kClDefault;
    bool tooltip = false;
    bool readOnly = false;    // memos
    bool sorted = false;      // lists
    int dropDownCount = 0;    // combo boxes; 0: the toolkit's
    Cmd command = Cmd::None;  // what a click runs
};

struct MenuRow {
    const char* name;
    const char* parent;  // "mnuMain", "popLBox", "popTray" or a menu of the main menu
    const char* caption;
    ui::Shortcut key = {};
    bool check = false;  // shows its command's state as a mark
    int picture = -1;
    const char* hint = "";
    bool manualAccel = false;
    bool isDefault = false;
    Cmd command = Cmd::None;
    ui::MenuItem* TfrmVexal::*member = nullptr;  // the window's pointer to the item, for its caption or hint
};

[[nodiscard]] std::span<const ControlRow> controls();
[[nodiscard]] std::span<const MenuRow> menus();

// The window numbers its controls in the table's order; other programs that look
// for a control (the end-to-end tests) find it by the same number.
[[nodiscard]] int controlId(const char* name);

}  // namespace vexal::layout
