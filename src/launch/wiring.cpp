// The game-launching controls and menu items and their handlers.
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
        {"btnAdd", On::Click, &F::btnAddClick},
        {"btnDelParam", On::Click, &F::btnDelParamClick},
        {"btnDelParamList", On::Click, &F::btnDelParamListClick},
        {"lboxParam", On::Click, &F::lboxParamClick},
        {"lboxParam", On::DblClick, &F::lboxParamDblClick},
        {"lboxParam", On::Enter, &F::lboxParamEnter},
        {"lboxParam", On::Exit, &F::edtParamChange},
        {"mnuAdd", On::Click, &F::mnuAddClick},
        {"mnuDelete", On::Click, &F::mnuDeleteClick},
        {"mnuDelLboxItems", On::Click, &F::mnuDelLboxItemsClick},
        {"mnuCopyEntry", On::Click, &F::mnuCopyEntryClick},
        {"mnuCopy", On::Click, &F::mnuCopyClick},
        {"mnuPaste", On::Click, &F::mnuPasteClick},

        {"cbxMap", On::Change, &F::cbxMapChange},
        {"cbxMap", On::KeyDown, &F::cbxMapKeyDown},
        {"cbxMap", On::KeyPress, &F::cbxMapKeyPress},
        {"bitbtnSelMap", On::Click, &F::bitbtnSelMapClick},
        {"mnuSelMap", On::Click, &F::mnuSelMapClick},
        {"btnDelMap", On::Click, &F::btnDelMapClick},
        {"btnDelMap", On::Exit, &F::cbxMapChange},
        {"btnDelMapList", On::Click, &F::btnDelMapListClick},
        {"BitBtnInfo", On::Click, &F::BitBtnInfoClick},
        {"mnuMapInfo", On::Click, &F::mnuMapInfoClick},
        {"imgAbout", On::Click, &F::mnuMapInfoClick},

        {"bitbtnRun", On::Click, &F::bitbtnRunClick},
        {"bitbtnRun", On::Exit, &F::bitbtnRunExit},
        {"mnuRunET", On::Click, &F::mnuRunETClick},
        {"popRunET", On::Click, &F::popRunETClick},
        {"cbDelProfile", On::Click, &F::cbDelProfileClick},
        {"cbDelProfile", On::MouseDown, &F::cbDelProfileMouseDown},
        {"mnuDelProfile", On::Click, &F::mnuDelProfileClick},
    };
    return wires;
}

}  // namespace vexal
