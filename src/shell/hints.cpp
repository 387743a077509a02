// The status line: the hints that start-up assigns, the texts that some controls
// compute afresh while the mouse moves over them, and the focus texts.
#include "settings/paths.h"
#include "shell/shell.h"
#include "shell/texts.h"
#include "util/file_facts.h"
#include "util/path_text.h"

namespace vexal::shell {

std::string Hints::editorHint() const {
    return settings::isSet(v.editorPath) ? text::kEditorCurrent + v.editorPath + ")" : text::kEditorNotConfigured;
}

void Hints::assign() {
    const std::string browser = settings::extractFileName(v.eyePath);

    v.bitbtnSelDir.setHint(text::kSelDirStatus + v.gameDir);
    v.sbtnEditor.setHint(editorHint());
    v.cbMinimize.setHint(text::kMinimizeHint + browser + text::kRun);
    v.cbClose.setHint(text::kCloseHint + browser + text::kCloseHintEnd);
    v.btnDelMapList.setHint(text::kDelMapListHint);
    v.lbMinET.setHint(v.cbxHotKey.hint());

    // Menu items: copies are taken now, after the controls' own start hints. The
    // tools' items (editing, nickname, download) take theirs from the tools.
    const struct {
        const char* item;
        std::string hint;
    } menuHints[] = {
        {"mnuRunET", runHint_()},
        {"mnuASE", settings::isSet(v.eyePath) ? text::kRunProgram + v.eyePath : text::kNoProgram},
        {"mnuPB", v.btnPB.hint()},
        {"mnuQuit", v.bitbtnQuit.hint()},
        {"mnuSelMap", v.bitbtnSelMap.hint()},
        {"mnuDemo", text::kDemoHint},
        {"mnuScrShot", text::kScreenshotHint},
        {"mnuMapInfo", text::kMapInfoHint},
        {"mnuLog", text::kLogHint},
        {"mnuASELog", text::kBuddyLogHint},
        {"mnuLaunchInfo", text::kLaunchInfoHint},
        {"mnuSelETDir", v.bitbtnSelDir.hint()},
        {"mnuNotepad", text::kNotepadHint},
        {"mnuSelEditor", v.sbtnEditor.hint()},
        {"mnuMinimize", v.cbMinimize.hint()},
        {"mnuClose", v.cbClose.hint()},
        {"mnuTasktray", v.cbTray.hint()},
        {"mnuDelProfile", v.cbDelProfile.hint()},
        {"mnuMinMax", text::kMinMaxHint},
        {"mnuSound", v.setting(settings::key::sound) ? text::kSoundOn : text::kSoundOff},
        {"mnuBackupZip", text::kBackupHint},
        {"mnuBackupOnQuit", text::kBackupOnQuitHint},
        {"mnuRestore", v.sbtnRestore.hint()},
        {"mnuReadme", text::kReadmeHint},
        {"mnuETReadme", text::kSupportHint},
        {"mnuChanges", text::kChangesHint},
        {"mnuAbout", " " + v.imgAbout.hint()},
    };
    for (const auto& [item, hint] : menuHints) v.menuItem(item)->setHint(hint);
}

// ---- mouse-move texts -------------------------------------------------------

void Hints::overAbout() {
    v.setStatus(text::kInstallDir + v.programDir);
    // The map statistics are long: give the reader time.
    v.application.hintHidePause = 60000;
}

void Hints::overNotepad() {
    const std::string notepad = v.services.process.environment("windir") + "\\notepad.exe";
    v.setStatus(v.services.fs.fileExists(notepad) ? text::kNotepadAvailable + notepad + text::kAvailable
                                                  : text::kNoNotepad);
}

void Hints::overBackup() {
    v.sbtnBackup.setHint(text::kLastBackup + (settings::isSet(v.lastBackup) ? v.lastBackup : view::kNever));
}

void Hints::overRestore() { v.sbtnRestore.setHint(text::kRestoreHint); }

void Hints::overLog() { v.setStatus(settings::isSet(v.lastLog) ? " " + v.lastLog : text::kLogNeverOpened); }

void Hints::overPbUpdate() { v.setStatus(text::kLastPbUpdate + (settings::isSet(v.pbLog) ? v.pbLog : view::kNever)); }

void Hints::overParamList() { v.setStatus(text::kListHint); }

std::string Hints::gameFilesFolder(const std::string& kind) const { return v.playerFolders().of(kind); }

// The folders are counted as they change, so a mouse move only reads a number.
std::int32_t Hints::hoverCount(const ui::Control& button, const std::string& folder) {
    v.folderCounts.keep(folder);  // a game folder chosen since the start is kept from now on
    if (const auto kept = v.folderCounts.current(folder)) return *kept;
    if (v.application.pointed() != &button || countedFolder_ != folder) {
        countedFolder_ = folder;
        count_ = util::CountFilesInTree(v.services.fs, folder);
    }
    return count_;
}

namespace {
// Appended piece by piece: GCC 12 at -O2 takes " " + a temporary string for an
// overlapping copy and stops the build.
std::string countText(std::int32_t count, const char* what, const std::string& folder) {
    std::string out(" ");
    out += std::to_string(count);
    out += what;
    out += folder;
    out += text::kAvailable;
    return out;
}
}  // namespace

void Hints::overDemos() {
    const std::string folder = gameFilesFolder("demos");
    v.setStatus(countText(hoverCount(v.bitbtnDemo, folder), text::kDemoFiles, folder));
}

void Hints::overScreenshots() {
    const std::string folder = gameFilesFolder("screenshots");
    v.setStatus(countText(hoverCount(v.bitbtnPicture, folder), text::kScreenshots, folder));
}

void Hints::overRun() {
    v.bitbtnRun.setHint(runHint_());
    v.mnuRunET->setHint(runHint_());
}

void Hints::overBrowser() {
    v.setStatus(settings::isSet(v.eyePath) ? text::kRunProgram + v.eyePath : text::kNoOtherProgram);
}

}  // namespace vexal::shell
