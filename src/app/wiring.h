#pragma once
// One row per event that is not a command (typing, focus, the pointer, timers, a
// check box's change, the tray icon's double click): which control, timer or the
// tray icon, which event, which handler. Each feature keeps its own table beside
// its handlers; the window connects all of them when it is built and fails loudly
// on a name that names nothing, so a renamed control cannot silently lose its handler.
// Clicks that give a command come from the layout's rows (app/commands.cpp).
#include <span>
#include <variant>

#include "ui/control.h"

namespace vexal {

class TfrmVexal;

enum class On { Click, DblClick, Change, Enter, Exit, MouseMove, MouseDown, KeyPress, KeyDown, Timer };

using Handler = std::variant<void (TfrmVexal::*)(), void (TfrmVexal::*)(ui::MouseButton), void (TfrmVexal::*)(char&),
                             void (TfrmVexal::*)(int&)>;

struct Wire {
    const char* name;  // control, "tmDate"/"tmTime"/"tmServers" or "ctrayIcon"
    On event;
    Handler handler;
};

// The tables of the features, in the order the window connects them.
std::span<const Wire> appWires();
std::span<const Wire> launchWires();
std::span<const Wire> shellWires();
std::span<const Wire> toolsWires();
std::span<const Wire> viewerWires();
std::span<const Wire> serverWires();

}  // namespace vexal
