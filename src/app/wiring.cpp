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
        {"edtParam", On::Change, [](F& f) { f.params.change(); }},
        {"edtParam", On::Enter, [](F& f) { f.params.enter(); }},
        {"edtParam", On::Exit, [](F& f) { f.params.leave(); }},
        {"edtParam", On::KeyPress, [](F& f, char& key) { f.params.keyPress(key); }},
        {"lboxParam", On::Click, [](F& f) { f.params.pick(); }},
        {"lboxParam", On::DblClick, [](F& f) { f.params.widen(); }},
        {"lboxParam", On::Enter, [](F& f) { f.params.enter(); }},
        {"lboxParam", On::Exit, [](F& f) { f.params.change(); }},
        {"cbxMap", On::Change, [](F& f) { f.maps.change(); }},
        {"cbxMap", On::KeyDown, [](F& f, int& key) { f.maps.keyDown(key); }},
        {"cbxMap", On::KeyPress, [](F& f, char& key) { f.maps.keyPress(key); }},
        {"btnDelMap", On::Exit, [](F& f) { f.maps.change(); }},
        {"bitbtnRun", On::Exit, [](F& f) { f.launcher.runExit(); }},
        {"cbDelProfile", On::Click, [](F& f) { f.launcher.profileOptionChange(); }},
        {"cbDelProfile", On::MouseDown, [](F& f, ui::MouseButton b) { f.launcher.profileOptionMouseDown(b); }},
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
        {"memReadme", On::KeyDown, [](F& f, int& key) { f.textViewers.keyDown(key); }},
        {"memChanges", On::KeyDown, [](F& f, int& key) { f.textViewers.keyDown(key); }},
        {"memETLog", On::KeyDown, [](F& f, int& key) { f.textViewers.keyDown(key); }},
        {"memASE", On::KeyDown, [](F& f, int& key) { f.textViewers.keyDown(key); }},
        {"memLaunchInfo", On::KeyDown, [](F& f, int& key) { f.textViewers.keyDown(key); }},
        {"memReadme", On::Change, [](F& f) { f.textViewers.readmeChanged(); }},
        {"memChanges", On::Change, [](F& f) { f.textViewers.changesChanged(); }},
        // The server status viewer and its polling timer.
        {"lvServers", On::KeyDown, [](F& f, int& key) { f.serverStatus.serverKeyDown(key); }},
        {"lvServers", On::Click, [](F& f) { f.serverStatus.serverPicked(); }},
        {"lvServers", On::DblClick, [](F& f) { f.serverStatus.join(); }},
        {"lvPlayers", On::KeyDown, [](F& f, int& key) {
             if (f.world.isOpen()) f.world.playerKeyDown(key); else f.serverStatus.playerKeyDown(key); }},
        {"tmServers", On::Timer, [](F& f) { f.serverStatus.poll(); }},
        // The list of every server: typing filters it.
        {"lvWorld", On::KeyDown, [](F& f, int& key) { f.world.keyDown(key); }},
        {"lvWorld", On::KeyPress, [](F& f, char& key) { f.world.keyPress(key); }},
        {"lvWorld", On::Click, [](F& f) { f.world.picked(); }},
        {"lvWorld", On::DblClick, [](F& f) { f.world.join(); }},
        {"tmWorld", On::Timer, [](F& f) { f.world.poll(); }},
        {"tmBuddies", On::Timer, [](F& f) { f.buddyWatcher.tick(); }},
    };
    // clang-format on
    return wires;
}

}  // namespace vexal
