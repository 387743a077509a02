// The companion launchers, pickers, nickname and help commands and their handlers.
#include "app/wiring.h"

#include "app/main_window.h"

namespace vexal {

std::span<const Wire> toolsWires() {
    using F = TfrmVexal;
    static const Wire wires[] = {
        {"bitbtnASE", On::Click, &F::bitbtnASEClick},
        {"bitbtnASE", On::Exit, &F::bitbtnASEExit},
        {"mnuASE", On::Click, &F::mnuASEClick},
        {"popRunASE", On::Click, &F::popRunASEClick},
        {"btnPB", On::Click, &F::btnPBClick},
        {"mnuPB", On::Click, &F::mnuPBClick},
        {"popPB", On::Click, &F::popPBClick},
        {"bitbtnDemo", On::Click, &F::bitbtnDemoClick},
        {"mnuDemo", On::Click, &F::mnuDemoClick},
        {"bitbtnPicture", On::Click, &F::bitbtnPictureClick},
        {"mnuScrShot", On::Click, &F::mnuScrShotClick},
        {"bitbtnEdit", On::Click, &F::bitbtnEditClick},
        {"mnuEdit", On::Click, &F::mnuEditClick},
        {"popEditCfg", On::Click, &F::popEditCfgClick},
        {"sbtnEditor", On::Click, &F::sbtnEditorClick},
        {"mnuSelEditor", On::Click, &F::mnuSelEditorClick},
        {"sbtnNotepad", On::Click, &F::sbtnNotepadClick},
        {"mnuNotepad", On::Click, &F::mnuNotepadClick},
        {"mnuNick", On::Click, &F::mnuNickClick},
        {"mnuETReadme", On::Click, &F::mnuETReadmeClick},
        {"mnuDownload", On::Click, &F::mnuDownloadClick},
        {"mnuAbout", On::Click, &F::mnuAboutClick},
        {"popAbout", On::Click, &F::popAboutClick},
    };
    return wires;
}

}  // namespace vexal
