// The user's editor for map information and config files, the pickers that open
// the game's demos, screenshots and config files, and the tools' start hints.
#include "settings/paths.h"
#include "tools/texts.h"
#include "tools/tool_rules.h"
#include "tools/toolbox.h"
#include "util/path_text.h"
#include "util/utilities.h"

namespace vexal::tools {

// The editing, nickname and download hints, menu copies included.
void Toolbox::loadHints() {
    v.bitbtnEdit.setHint(editHint(v.lastCfg));
    v.menuItem("mnuEdit")->setHint(v.bitbtnEdit.hint());
    v.mnuNick->setHint(settings::isSet(v.nickname) ? texts::kNickHint + v.nickname : texts::kNoNickname);
    v.menuItem("mnuDownload")->setHint(std::string(texts::kAddress) + texts::kDownloadAddress);
}

void Toolbox::askForProgram(std::string& path, const settings::StringKey& key, const char* title) {
    v.clearOdCfg();
    v.odCfg.filter = texts::kExeFilter;
    v.odCfg.title = title;
    if (const auto files = v.services.dialogs.openFile(v.odCfg)) path = files->front();
    settings::write(v.config.doc(), key, path);
    v.saveSettings();
}

// Asks for an editor when none is configured. False while the stored path still
// names no file: there is nothing to open the file with, so the caller stops.
bool Toolbox::editorExists() {
    if (v.services.fs.fileExists(v.editorPath)) return true;
    askForProgram(v.editorPath, settings::key::editor, texts::kDefaultEditorTitle);
    return v.services.fs.fileExists(v.editorPath);
}

std::optional<std::vector<std::string>> Toolbox::pickGameFile(const char* folder, const char* filter,
                                                              const char* title) {
    v.clearOdCfg();
    v.odCfg.initialDir = v.playerFolders().of(folder);
    v.odCfg.filter = filter;
    v.odCfg.title = title;
    v.playFeedback(v.programDir + settings::kClickSound);
    return v.services.dialogs.openFile(v.odCfg);
}

void Toolbox::pickDemo() {
    const auto files = pickGameFile("demos", texts::kDemoFilter, texts::kDemoTitle);
    if (!files) return;
    const std::string demo = texts::kDemoPrefix + util::FileBaseName(files->front());
    v.cbxMap.setText(demo);
    if (v.cbxMap.items().indexOf(demo) < 0) {
        v.cbxMap.setText("");
        v.cbxMap.addItem(demo);
        v.cbxMap.setText(demo);
    }
    // Kept at once, like a map typed or picked: the next start plays the demo
    // even when the focus never leaves the button (menu, tray, shortcut).
    links_.mapChanged();
}

void Toolbox::openScreenshot() {
    const auto files = pickGameFile("screenshots", texts::kScreenshotFilter, texts::kScreenshotTitle);
    if (!files) return;
    // The file itself is opened, not passed as an argument: the shell takes it whole.
    v.services.shell.open(files->front(), "", "", platform::ShowCmd::Normal, false);
}

void Toolbox::editConfig() {
    if (!editorExists()) return;
    v.playFeedback(v.programDir + settings::kClickSound);
    v.clearOdCfg();
    // Notepad opens one file per start; other editors take them all at once.
    v.odCfg.multiSelect = v.editorPath.find("notepad.exe") == std::string::npos;
    v.odCfg.initialDir = settings::configFolder(v.gameProgram, v.gameDir, v.playerFolders());
    v.odCfg.filter = texts::kCfgFilter;
    v.odCfg.title = texts::kCfgTitle;
    // Else the autoexec.cfg the game reads, which for ET:Legacy may lie in another folder.
    const std::string autoexec = v.gameProgram == settings::GameProgram::Et ? std::string() : v.autoexecFile();
    v.odCfg.fileName = v.services.fs.fileExists(v.lastCfg) ? v.lastCfg
                       : autoexec.empty()                  ? v.odCfg.initialDir + "\\autoexec.cfg"
                                                           : autoexec;
    const auto files = v.services.dialogs.openFile(v.odCfg);
    // The choice is kept before the editor starts, so a refused start does not lose it.
    v.lastCfg = files ? files->front() : v.odCfg.fileName;
    settings::write(v.config.doc(), settings::key::lastcfg, v.lastCfg);
    v.saveSettings();
    v.bitbtnEdit.setHint(editHint(v.lastCfg));
    if (files) v.services.shell.open(v.editorPath, quotedArguments(*files), "", platform::ShowCmd::Show, false);
}

void Toolbox::chooseEditor() {
    v.playFeedback(v.programDir + settings::kClickSound);
    askForProgram(v.editorPath, settings::key::editor, texts::kEditorTitle);
    links_.refresh();
}

void Toolbox::fallBackToNotepad() {
    v.playFeedback(v.programDir + settings::kClickSound);
    if (v.services.dialogs.messageBox(texts::kReallyNotepad, platform::BoxKind::Information,
                                      platform::BoxButtons::YesNo) != platform::BoxResult::Yes)
        return;
    const std::string notepad = v.services.process.environment("windir") + "\\notepad.exe";
    if (!v.services.fs.fileExists(notepad)) {
        // The editor in use stays: the next edit goes on with it instead of asking.
        v.services.dialogs.messageBox(texts::kNoNotepad, platform::BoxKind::Warning, platform::BoxButtons::Ok);
        return;
    }
    v.editorPath = notepad;
    settings::write(v.config.doc(), settings::key::editor, v.editorPath);
    v.saveSettings();
    links_.refresh();
    v.services.dialogs.messageBox(texts::kNowNotepad, platform::BoxKind::Information, platform::BoxButtons::Ok);
}

}  // namespace vexal::tools
