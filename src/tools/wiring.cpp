// The companion launcher and the hotkey box: their events besides the commands.
#include "app/wiring.h"

#include "app/main_window.h"

namespace vexal {

std::span<const Wire> toolsWires() {
    using F = TfrmVexal;
    static const Wire wires[] = {
        {"bitbtnASE", On::Exit, &F::bitbtnASEExit},
        {"cbxHotKey", On::Change, &F::cbxHotKeyChange},
        {"cbxHotKey", On::KeyPress, &F::cbxHotKeyKeyPress},
        {"cbxHotKey", On::Enter, &F::cbxHotKeyEnter},
        {"cbxHotKey", On::Exit, &F::cbxHotKeyExit},
    };
    return wires;
}

}  // namespace vexal
