#pragma once
// One row per event that is not a command (typing, focus, the pointer, timers, a
// check box's change, the tray icon's double click): which control, timer or the
// tray icon, which event, which handler. The window connects the rows when it is
// built and fails loudly on a name that names nothing, so a renamed control cannot
// silently lose its handler.
// Clicks that give a command come from the layout's rows (app/commands.cpp).
#include <span>
#include <variant>

#include "ui/control.h"

namespace vexal {

class TfrmVexal;

enum class On { Click, DblClick, Change, Enter, Exit, MouseMove, MouseDown, KeyPress, KeyDown, Timer };

using Handler = std::variant<void (*)(TfrmVexal&), void (*)(TfrmVexal&, ui::MouseButton), void (*)(TfrmVexal&, char&),
                             void (*)(TfrmVexal&, int&)>;

struct Wire {
    const char* name;  // control, "tmDate"/"tmTime"/"tmServers" or "ctrayIcon"
    On event;
    Handler handler;
};

[[nodiscard]] std::span<const Wire> eventWires();

}  // namespace vexal
