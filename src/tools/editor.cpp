// The user's editor for map information and config files, and the pickers that
// open the game's demos, screenshots and config files.
#include "app/main_window.h"
#include "settings/paths.h"
#include "tools/texts.h"
#include "tools/tool_rules.h"
#include "util/utilities.h"

namespace vexal {

// Asks for an editor when none is configured. False while the stored path still
// names no file: there is nothing to open the file with, so the caller stops.
bool TfrmVexal::EditorExists() {
    if (services.fs.fileExists(editorPath)) return true;
    clearOdCfg();
    odCfg.filter = tools::texts::kExeFilter;
    odCfg.title = tools::texts::kDefaultEditorTitle;
    if (const auto files = services.dialogs.openFile(odCfg)) editorPath = files->front();
    settings::write(config.doc(), settings::key::editor, editorPath);
    saveSettings();
    return services.fs.fileExists(editorPath);
}

void TfrmVexal::bitbtnDemoClick() {
    clearOdCfg();
    odCfg.initialDir = tools::modFolder(gameDir, edtParam.text(), "demos");
    odCfg.filter = tools::texts::kDemoFilter;
    odCfg.title = tools::texts::kDemoTitle;
    playFeedback(programDir + settings::kClickSound);
    const auto files = services.dialogs.openFile(odCfg);
    if (!files) return;
    const std::string demo = tools::texts::kDemoPrefix + util::FileBaseName(files->front());
    cbxMap.setText(demo);
    if (cbxMap.items().indexOf(demo) < 0) {
        cbxMap.setText("");
        cbxMap.addItem(demo);
        cbxMap.setText(demo);
    }
    // Kept at once, like a map typed or picked: the next start plays the demo
    // even when the focus never leaves the button (menu, tray, shortcut).
    cbxMapChange();
}

void TfrmVexal::bitbtnPictureClick() {
    clearOdCfg();
    odCfg.initialDir = tools::modFolder(gameDir, edtParam.text(), "screenshots");
    odCfg.filter = tools::texts::kScreenshotFilter;
    odCfg.title = tools::texts::kScreenshotTitle;
    playFeedback(programDir + settings::kClickSound);
    const auto files = services.dialogs.openFile(odCfg);
    if (!files) return;
    // The file itself is opened, not passed as an argument: the shell takes it whole.
    services.shell.open(files->front(), "", "", platform::ShowCmd::Normal, false);
}

void TfrmVexal::bitbtnEditClick() {
    if (!EditorExists()) return;
    playFeedback(programDir + settings::kClickSound);
    clearOdCfg();
    // Notepad opens one file per start; other editors take them all at once.
    odCfg.multiSelect = editorPath.find("notepad.exe") == std::string::npos;
    odCfg.initialDir = gameDir + settings::kEtMain;
    odCfg.filter = tools::texts::kCfgFilter;
    odCfg.title = tools::texts::kCfgTitle;
    odCfg.fileName = services.fs.fileExists(lastCfg) ? lastCfg : odCfg.initialDir + "\\autoexec.cfg";
    const auto files = services.dialogs.openFile(odCfg);
    // The choice is kept before the editor starts, so a refused start does not lose it.
    lastCfg = files ? files->front() : odCfg.fileName;
    settings::write(config.doc(), settings::key::lastcfg, lastCfg);
    saveSettings();
    bitbtnEdit.setHint(tools::editHint(lastCfg));
    if (files) services.shell.open(editorPath, tools::quotedArguments(*files), "", platform::ShowCmd::Show, false);
}

void TfrmVexal::sbtnEditorClick() {
    playFeedback(programDir + settings::kClickSound);
    clearOdCfg();
    odCfg.filter = tools::texts::kExeFilter;
    odCfg.title = tools::texts::kEditorTitle;
    if (const auto files = services.dialogs.openFile(odCfg)) editorPath = files->front();
    settings::write(config.doc(), settings::key::editor, editorPath);
    saveSettings();
    refresh();
}

void TfrmVexal::sbtnNotepadClick() {
    playFeedback(programDir + settings::kClickSound);
    if (services.dialogs.messageBox(tools::texts::kReallyNotepad, platform::BoxKind::Information,
                                    platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    const std::string notepad = services.process.environment("windir") + "\\notepad.exe";
    if (!services.fs.fileExists(notepad)) {
        // The editor in use stays: the next edit goes on with it instead of asking.
        services.dialogs.messageBox(tools::texts::kNoNotepad, platform::BoxKind::Warning, platform::BoxButtons::Ok);
        return;
    }
    editorPath = notepad;
    settings::write(config.doc(), settings::key::editor, editorPath);
    saveSettings();
    refresh();
    services.dialogs.messageBox(tools::texts::kNowNotepad, platform::BoxKind::Information, platform::BoxButtons::Ok);
}

}  // namespace vexal
