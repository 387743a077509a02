// Every event that is not a command, connected to its handler: typing, focus,
// the pointer, timers, a check box's change, the tray icon's double click.
#include "app/wiring.h"

#include "app/main_window.h"

namespace vexal {

std::span<const Wire> eventWires() {
    using F = TfrmVexal;
    // clang-format off
    static const Wire wires[] = {
        // Start-up: leaving PB-Update refreshes the window from the settings and lists.
        {"btnPB", On::Exit, [](F& f) { f.refresh(); }},
        // The parameter list, the map list, the launch and the profile clean-up.
        {"edtParam", On::Change, [](F& f) { f.edtParamChange(); }},
        {"edtParam", On::Enter, [](F& f) { f.edtParamEnter(); }},
        {"edtParam", On::Exit, [](F& f) { f.edtParamExit(); }},
        {"edtParam", On::KeyPress, [](F& f, char& key) { f.edtParamKeyPress(key); }},
        {"lboxParam", On::Click, [](F& f) { f.lboxParamClick(); }},
        {"lboxParam", On::DblClick, [](F& f) { f.lboxParamDblClick(); }},
        {"lboxParam", On::Enter, [](F& f) { f.lboxParamEnter(); }},
        {"lboxParam", On::Exit, [](F& f) { f.edtParamChange(); }},
        {"cbxMap", On::Change, [](F& f) { f.cbxMapChange(); }},
        {"cbxMap", On::KeyDown, [](F& f, int& key) { f.cbxMapKeyDown(key); }},
        {"cbxMap", On::KeyPress, [](F& f, char& key) { f.cbxMapKeyPress(key); }},
        {"btnDelMap", On::Exit, [](F& f) { f.cbxMapChange(); }},
        {"bitbtnRun", On::Exit, [](F& f) { f.bitbtnRunExit(); }},
        {"cbDelProfile", On::Click, [](F& f) { f.cbDelProfileClick(); }},
        {"cbDelProfile", On::MouseDown, [](F& f, ui::MouseButton b) { f.cbDelProfileMouseDown(b); }},
        // Hints as the pointer moves, the option boxes, the tray icon, the date and time.
        {"bitbtnSelDir", On::MouseMove, [](F& f) { f.hints.overSelDir(); }},
        {"imgAbout", On::MouseMove, [](F& f) { f.hints.overAbout(); }},
        {"sbtnNotepad", On::MouseMove, [](F& f) { f.hints.overNotepad(); }},
        {"sbtnEditor", On::MouseMove, [](F& f) { f.hints.overEditor(); }},
        {"sbtnBackup", On::MouseMove, [](F& f) { f.hints.overBackup(); }},
        {"sbtnRestore", On::MouseMove, [](F& f) { f.hints.overRestore(); }},
        {"bitbtnLog", On::MouseMove, [](F& f) { f.hints.overLog(); }},
        {"btnPB", On::MouseMove, [](F& f) { f.hints.overPbUpdate(); }},
        {"lboxParam", On::MouseMove, [](F& f) { f.hints.overParamList(); }},
        {"bitbtnDemo", On::MouseMove, [](F& f) { f.hints.overDemos(); }},
        {"bitbtnSelMap", On::MouseMove, [](F& f) { f.hints.overSelMap(); }},
        {"bitbtnRun", On::MouseMove, [](F& f) { f.hints.overRun(); }},
        {"bitbtnASE", On::MouseMove, [](F& f) { f.hints.overBrowser(); }},
        {"bitbtnPicture", On::MouseMove, [](F& f) { f.hints.overScreenshots(); }},
        {"cbMinimize", On::Click, [](F& f) { f.options.minimizeChanged(); }},
        {"cbClose", On::Click, [](F& f) { f.options.closeChanged(); }},
        {"cbTray", On::Click, [](F& f) { f.options.trayChanged(); }},
        {"cbMinimize", On::MouseDown, [](F& f, ui::MouseButton b) { f.options.boxPressed(b); }},
        {"cbClose", On::MouseDown, [](F& f, ui::MouseButton b) { f.options.boxPressed(b); }},
        {"cbTray", On::MouseDown, [](F& f, ui::MouseButton b) { f.options.boxPressed(b); }},
        {"ctrayIcon", On::DblClick, [](F& f) { f.options.showWindow(); }},
        {"tmDate", On::Timer, [](F& f) { f.dateTime.dateTick(); }},
        {"tmTime", On::Timer, [](F& f) { f.dateTime.timeTick(); }},
        {"stDate", On::MouseDown, [](F& f, ui::MouseButton b) { f.dateTime.pressed(b); }},
        // The server browser button and the hotkey minimizer's box.
        {"bitbtnASE", On::Exit, [](F& f) { f.toolbox.browserLeft(); }},
        {"cbxHotKey", On::Change, [](F& f) { f.hotkeys.boxChange(); }},
        {"cbxHotKey", On::KeyPress, [](F& f, char& key) { f.hotkeys.boxKeyPress(key); }},
        {"cbxHotKey", On::Enter, [](F& f) { f.hotkeys.boxEnter(); }},
        {"cbxHotKey", On::Exit, [](F& f) { f.hotkeys.boxExit(); }},
        // The text viewers: Escape closes them, the editable ones write back.
        {"memReadme", On::KeyDown, [](F& f, int& key) { f.memReadmeKeyDown(key); }},
        {"memChanges", On::KeyDown, [](F& f, int& key) { f.memReadmeKeyDown(key); }},
        {"memETLog", On::KeyDown, [](F& f, int& key) { f.memReadmeKeyDown(key); }},
        {"memASE", On::KeyDown, [](F& f, int& key) { f.memReadmeKeyDown(key); }},
        {"memLaunchInfo", On::KeyDown, [](F& f, int& key) { f.memReadmeKeyDown(key); }},
        {"memReadme", On::Change, [](F& f) { f.memReadmeChange(); }},
        {"memChanges", On::Change, [](F& f) { f.memChangesChange(); }},
        // The server status viewer and its polling timer.
        {"memServers", On::KeyDown, [](F& f, int& key) { f.memReadmeKeyDown(key); }},
        {"tmServers", On::Timer, [](F& f) { f.tmServersTimer(); }},
    };
    // clang-format on
    return wires;
}

}  // namespace vexal
