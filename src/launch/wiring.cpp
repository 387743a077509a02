// The game-launching controls: their events besides the commands.
#include "app/wiring.h"

#include "app/main_window.h"

namespace vexal {

std::span<const Wire> launchWires() {
    using F = TfrmVexal;
    static const Wire wires[] = {
        {"edtParam", On::Change, &F::edtParamChange},
        {"edtParam", On::Enter, &F::edtParamEnter},
        {"edtParam", On::Exit, &F::edtParamExit},
        {"edtParam", On::KeyPress, &F::edtParamKeyPress},
        {"lboxParam", On::Click, &F::lboxParamClick},
        {"lboxParam", On::DblClick, &F::lboxParamDblClick},
        {"lboxParam", On::Enter, &F::lboxParamEnter},
        {"lboxParam", On::Exit, &F::edtParamChange},

        {"cbxMap", On::Change, &F::cbxMapChange},
        {"cbxMap", On::KeyDown, &F::cbxMapKeyDown},
        {"cbxMap", On::KeyPress, &F::cbxMapKeyPress},
        {"btnDelMap", On::Exit, &F::cbxMapChange},

        {"bitbtnRun", On::Exit, &F::bitbtnRunExit},
        {"cbDelProfile", On::Click, &F::cbDelProfileClick},
        {"cbDelProfile", On::MouseDown, &F::cbDelProfileMouseDown},
    };
    return wires;
}

}  // namespace vexal
