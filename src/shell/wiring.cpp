// The application shell's controls, timers and tray icon: their events besides the commands.
#include "app/wiring.h"

#include "app/main_window.h"

namespace vexal {

std::span<const Wire> shellWires() {
    using F = TfrmVexal;
    static const Wire wires[] = {
        {"bitbtnSelDir", On::MouseMove, &F::bitbtnSelDirMouseMove},
        {"imgAbout", On::MouseMove, &F::imgAboutMouseMove},
        {"sbtnNotepad", On::MouseMove, &F::sbtnNotepadMouseMove},
        {"sbtnEditor", On::MouseMove, &F::sbtnEditorMouseMove},
        {"sbtnBackup", On::MouseMove, &F::sbtnBackupMouseMove},
        {"sbtnRestore", On::MouseMove, &F::sbtnRestoreMouseMove},
        {"bitbtnLog", On::MouseMove, &F::bitbtnLogMouseMove},
        {"btnPB", On::MouseMove, &F::btnPBMouseMove},
        {"lboxParam", On::MouseMove, &F::lboxParamMouseMove},
        {"bitbtnDemo", On::MouseMove, &F::bitbtnDemoMouseMove},
        {"bitbtnSelMap", On::MouseMove, &F::bitbtnSelMapMouseMove},
        {"bitbtnRun", On::MouseMove, &F::bitbtnRunMouseMove},
        {"bitbtnASE", On::MouseMove, &F::bitbtnASEMouseMove},
        {"bitbtnPicture", On::MouseMove, &F::bitbtnPictureMouseMove},

        {"cbMinimize", On::Click, &F::cbMinimizeClick},
        {"cbClose", On::Click, &F::cbCloseClick},
        {"cbTray", On::Click, &F::cbTrayClick},
        {"cbMinimize", On::MouseDown, &F::optionMouseDown},
        {"cbClose", On::MouseDown, &F::optionMouseDown},
        {"cbTray", On::MouseDown, &F::optionMouseDown},
        {"ctrayIcon", On::DblClick, &F::ctrayIconDblClick},

        {"tmDate", On::Timer, &F::tmDateTimer},
        {"tmTime", On::Timer, &F::tmTimeTimer},
        {"stDate", On::MouseDown, &F::stDateMouseDown},
    };
    return wires;
}

}  // namespace vexal
