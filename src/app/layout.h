#pragma once
// The window's design: every control with its place, look and design-time state,
// and the three menus. The main window walks these tables when it is built.
#include <span>

#include "ui/control.h"

namespace vexal::layout {

inline constexpr int kClientWidth = 553;
inline constexpr int kClientHeight = 339;

struct FontLook {
    const char* name = nullptr;  // nullptr: the window's font
    int height = 11;
    bool bold = false, italic = false, fixedPitch = false;
};

struct ControlRow {
    const char* name;
    const char* parent;  // group box, or nullptr for the window itself
    int left, top, width, height;
    int tab;  // -1: never takes the focus
    const char* caption;
    const char* hint = "";
    bool visible = true;
    bool enabled = true;
    int picture = -1;
    bool pictureRight = false;
    int spacing = 4;
    FontLook font = {};
    ui::Colour colour = ui::kClDefault;
    ui::Colour background = ui::kClDefault;
    bool tooltip = false;
};

struct MenuRow {
    const char* name;
    const char* parent;  // "mnuMain", "popLBox", "popTray" or a menu of the main menu
    const char* caption;
    unsigned key = 0;  // shortcut: virtual key
    bool ctrl = false, alt = false, shift = false;
    bool check = false;
    int picture = -1;
    const char* hint = "";
    bool manualAccel = false;
    bool isDefault = false;
};

[[nodiscard]] std::span<const ControlRow> controls();
[[nodiscard]] std::span<const MenuRow> menus();

}  // namespace vexal::layout
